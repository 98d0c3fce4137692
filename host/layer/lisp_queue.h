#pragma once

namespace tarsil::host {

// The host's LISP: expressions queued to run when the command line is next
// idle, and functions of the module defined for LISP.  Each returns the
// host's result code (5100 on success).
int QueueLispExpression(const wchar_t* expression);
int DefineLispFunction(const wchar_t* name, short function_code);
int UndefineLispFunction(const wchar_t* name, short function_code);
// The code of the module function the host is invoking now; negative
// outside an invocation.
int InvokedFunctionCode();

// Stands in for the host's LISP (tests record the calls and choose the
// results); null puts the host's own back.  Not owned.
class LispBackend {
  public:
    virtual ~LispBackend() = default;
    virtual int Queue(const wchar_t* expression) = 0;
    virtual int Define(const wchar_t* name, short function_code) = 0;
    virtual int Undefine(const wchar_t* name, short function_code) = 0;
};
LispBackend* SetLispBackend(LispBackend* backend);

}  // namespace tarsil::host
