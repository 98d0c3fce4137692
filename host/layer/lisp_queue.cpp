#include "host/layer/lisp_queue.h"

#include "cadhost/lisp/lisp.h"

namespace tarsil::host {

namespace {

LispBackend* g_backend = nullptr;

}  // namespace

LispBackend* SetLispBackend(LispBackend* backend) {
    LispBackend* previous = g_backend;
    g_backend = backend;
    return previous;
}

int QueueLispExpression(const wchar_t* expression) {
    return g_backend != nullptr ? g_backend->Queue(expression) : ads_queueexpr(expression);
}

int DefineLispFunction(const wchar_t* name, short function_code) {
    return g_backend != nullptr ? g_backend->Define(name, function_code)
                                : acedDefun(name, function_code);
}

int UndefineLispFunction(const wchar_t* name, short function_code) {
    return g_backend != nullptr ? g_backend->Undefine(name, function_code)
                                : acedUndef(name, function_code);
}

int InvokedFunctionCode() {
    return acedGetFunCode();
}

}  // namespace tarsil::host
