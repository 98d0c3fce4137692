#include <cmath>
#include <cwchar>
#include <deque>
#include <functional>
#include <map>
#include <optional>

#include "cadhost/editor/cmdline.h"
#include "cadhost/editor/commandstack.h"
#include "cadhost/editor/input.h"
#include "cadhost/editor/sysvars.h"
#include "cadhost/lisp/lisp.h"
#include "cadhost/lisp/value.h"
#include "cadhost/rx/dynlinker.h"
#include "cadhost/rx/wide.h"

namespace cadhost {
namespace {
using lisp::LispError;
using lisp::Value;

struct Defined {
    short code;
    void* appId;
};

struct LispState {
    std::map<std::wstring, Value> globals;
    std::map<std::wstring, Defined> defuns;
    std::map<std::wstring, Value> userFunctions;  // (defun name (args / locals) body...)
    std::deque<std::wstring> queue;
    Value returned;
    int depth = 0;
};
LispState& st() {
    static auto* s = new LispState();
    return *s;
}

Value eval(const Value& v);

void needArgs(const Value& form, std::size_t min, std::size_t max) {
    const std::size_t n = form.items.size() - 1;
    if (n < min) throw LispError(L"too few arguments");
    if (n > max) throw LispError(L"too many arguments");
}

const Value& needString(const Value& v) {
    if (v.kind != Value::Str) throw LispError(L"bad argument type: stringp " + lisp::print(v));
    return v;
}

double needNumber(const Value& v) {
    if (!v.isNumber()) throw LispError(L"bad argument type: numberp: " + lisp::print(v));
    return v.number();
}

Value fromVar(const VarValue& v) {
    switch (v.type) {
        case RTREAL:
            return Value::ofReal(v.real);
        case RTSHORT:
        case RTLONG:
            return Value::ofInt(v.integer);
        case RTSTR:
            return Value::ofString(v.text);
        case RT3DPOINT:
            return Value::list(
                {Value::ofReal(v.point[0]), Value::ofReal(v.point[1]), Value::ofReal(v.point[2])});
        default:
            return Value::nil();
    }
}

std::optional<VarValue> toVar(const Value& v) {
    switch (v.kind) {
        case Value::Int:
            if (v.integer < -32768 || v.integer > 32767) {
                VarValue r;
                r.type = RTLONG;
                r.integer = v.integer;
                return r;
            }
            return VarValue::ofShort(static_cast<short>(v.integer));
        case Value::Real:
            return VarValue::ofReal(v.real);
        case Value::Str:
            return VarValue::ofString(v.text);
        case Value::List:
            if ((v.items.size() == 2 || v.items.size() == 3) && v.items[0].isNumber() &&
                v.items[1].isNumber() && (v.items.size() == 2 || v.items[2].isNumber()))
                return VarValue::ofPoint(v.items[0].number(), v.items[1].number(),
                                         v.items.size() == 3 ? v.items[2].number() : 0);
            return std::nullopt;
        default:
            return std::nullopt;
    }
}

std::wstring commandWord(const Value& v) {
    switch (v.kind) {
        case Value::Str:
            return v.text;
        case Value::Int:
        case Value::Real: {
            wchar_t buf[64];
            std::swprintf(buf, 64, L"%.15g", v.number());
            return buf;
        }
        case Value::Nil:
            return L"";
        case Value::List: {
            std::wstring out;
            for (std::size_t i = 0; i < v.items.size(); ++i)
                out += (i ? L"," : L"") + commandWord(v.items[i]);
            return out;
        }
        default:
            return lisp::print(v);
    }
}

Value arithmetic(const Value& form, wchar_t op) {
    bool allInt = true;
    std::vector<Value> args;
    for (std::size_t i = 1; i < form.items.size(); ++i) {
        args.push_back(eval(form.items[i]));
        needNumber(args.back());
        allInt = allInt && args.back().kind == Value::Int;
    }
    if (args.empty()) return Value::ofInt(op == L'*' ? 1 : 0);
    double r = args[0].number();
    long n = args[0].integer;
    if (args.size() == 1 && op == L'-') return allInt ? Value::ofInt(-n) : Value::ofReal(-r);
    for (std::size_t i = 1; i < args.size(); ++i) {
        const double x = args[i].number();
        const long k = args[i].integer;
        switch (op) {
            case L'+':
                r += x, n += k;
                break;
            case L'-':
                r -= x, n -= k;
                break;
            case L'*':
                r *= x, n *= k;
                break;
            default:
                if (x == 0) throw LispError(L"divide by zero");
                r /= x;
                if (allInt) n /= k;
        }
    }
    return allInt ? Value::ofInt(n) : Value::ofReal(r);
}

Value compare(const Value& form, const std::function<bool(double, double)>& holds) {
    needArgs(form, 1, 1000);
    std::vector<Value> args;
    for (std::size_t i = 1; i < form.items.size(); ++i) args.push_back(eval(form.items[i]));
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i].kind == Value::Str && args[i - 1].kind == Value::Str) {
            const int c = args[i - 1].text.compare(args[i].text);
            if (!holds(c, 0)) return Value::nil();
        } else if (!holds(needNumber(args[i - 1]), needNumber(args[i]))) {
            return Value::nil();
        }
    }
    return Value::t();
}

Value callUserFunction(const Value& fn, const Value& form) {
    // fn: (params body...), params may hold "/" then locals.
    const Value& params = fn.items[0];
    std::vector<std::wstring> args, locals;
    bool inLocals = false;
    for (const Value& p : params.items) {
        if (p.kind == Value::Sym && p.text == L"/")
            inLocals = true;
        else
            (inLocals ? locals : args).push_back(p.text);
    }
    if (form.items.size() - 1 != args.size())
        throw LispError(form.items.size() - 1 < args.size() ? L"too few arguments"
                                                            : L"too many arguments");
    std::vector<Value> values;
    for (std::size_t i = 1; i < form.items.size(); ++i) values.push_back(eval(form.items[i]));
    std::map<std::wstring, Value> saved;
    auto bind = [&](const std::wstring& name, Value v) {
        if (!saved.count(name))
            saved[name] = st().globals.count(name) ? st().globals[name] : Value();
        st().globals[name] = std::move(v);
    };
    for (std::size_t i = 0; i < args.size(); ++i) bind(args[i], values[i]);
    for (const auto& l : locals) bind(l, Value::nil());
    struct Restore {
        std::map<std::wstring, Value>& saved;
        ~Restore() {
            for (auto& [k, v] : saved) st().globals[k] = v;
        }
    } restore{saved};
    Value result;
    for (std::size_t i = 1; i < fn.items.size(); ++i) result = eval(fn.items[i]);
    return result;
}

Value callModuleFunction(const std::wstring& name, const Defined& d) {
    st().returned = Value::nil();
    if (!invokeModuleFunction(d.appId, d.code)) throw LispError(L"no function definition: " + name);
    return st().returned;
}

Value evalForm(const Value& form) {
    const Value& head = form.items[0];
    if (head.kind != Value::Sym) throw LispError(L"bad function: " + lisp::print(head));
    const std::wstring& f = head.text;
    const auto arg = [&](std::size_t i) { return eval(form.items[i]); };
    if (f == L"QUOTE") {
        needArgs(form, 1, 1);
        return form.items[1];
    }
    if (f == L"SETQ") {
        if (form.items.size() < 3 || form.items.size() % 2 == 0)
            throw LispError(L"too few arguments");
        Value last;
        for (std::size_t i = 1; i + 1 < form.items.size(); i += 2) {
            if (form.items[i].kind != Value::Sym)
                throw LispError(L"bad argument type: symbolp " + lisp::print(form.items[i]));
            last = arg(i + 1);
            st().globals[form.items[i].text] = last;
        }
        return last;
    }
    if (f == L"PROGN") {
        Value last;
        for (std::size_t i = 1; i < form.items.size(); ++i) last = arg(i);
        return last;
    }
    if (f == L"IF") {
        needArgs(form, 2, 3);
        if (!arg(1).isNil()) return arg(2);
        return form.items.size() > 3 ? arg(3) : Value::nil();
    }
    if (f == L"DEFUN") {
        needArgs(form, 2, 1000);
        if (form.items[1].kind != Value::Sym ||
            (form.items[2].kind != Value::List && form.items[2].kind != Value::Nil))
            throw LispError(L"bad DEFUN syntax");
        std::vector<Value> fn(form.items.begin() + 2, form.items.end());
        st().userFunctions[form.items[1].text] = Value::list(std::move(fn));
        return Value::symbol(form.items[1].text);
    }
    if (f == L"GETVAR") {
        needArgs(form, 1, 1);
        const Value name = needString(arg(1));
        const auto v = getVar(name.text);
        return v ? fromVar(*v) : Value::nil();
    }
    if (f == L"SETVAR") {
        needArgs(form, 2, 2);
        const Value name = needString(arg(1));
        const Value value = arg(2);
        const SysVarInfo* info = findSysVar(name.text);
        if (info == nullptr)
            throw LispError(L"AutoCAD variable setting rejected: " + lisp::print(name) + L" " +
                            lisp::print(value));
        const auto v = toVar(value);
        if (info->readOnly || !v || !setVarInternal(info->name, *v))
            throw LispError(L"AutoCAD variable setting rejected: " + lisp::print(name) + L" " +
                            lisp::print(value));
        return value;
    }
    if (f == L"COMMAND") {
        std::vector<std::wstring> words;
        for (std::size_t i = 1; i < form.items.size(); ++i) words.push_back(commandWord(arg(i)));
        if (words.empty()) return Value::nil();
        const std::wstring name = words.front();
        words.erase(words.begin());
        const auto echo = getVar(L"CMDECHO");
        InjectedInput input(std::move(words), echo && echo->integer == 0);
        runCommand(name);
        return Value::nil();
    }
    if (f == L"+" || f == L"-" || f == L"*" || f == L"/") return arithmetic(form, f[0]);
    if (f == L"=") return compare(form, [](double a, double b) { return a == b; });
    if (f == L"/=") return compare(form, [](double a, double b) { return a != b; });
    if (f == L"<") return compare(form, [](double a, double b) { return a < b; });
    if (f == L">") return compare(form, [](double a, double b) { return a > b; });
    if (f == L"NOT" || f == L"NULL") {
        needArgs(form, 1, 1);
        return arg(1).isNil() ? Value::t() : Value::nil();
    }
    if (f == L"LIST") {
        std::vector<Value> items;
        for (std::size_t i = 1; i < form.items.size(); ++i) items.push_back(arg(i));
        return Value::list(std::move(items));
    }
    if (f == L"CAR" || f == L"CDR") {
        needArgs(form, 1, 1);
        const Value l = arg(1);
        if (l.isNil()) return l;
        if (l.kind != Value::List) throw LispError(L"bad argument type: consp " + lisp::print(l));
        if (f == L"CAR") return l.items[0];
        return Value::list(std::vector<Value>(l.items.begin() + 1, l.items.end()));
    }
    if (f == L"STRCAT") {
        std::wstring out;
        for (std::size_t i = 1; i < form.items.size(); ++i) out += needString(arg(i)).text;
        return Value::ofString(out);
    }
    if (f == L"PRINC" || f == L"PROMPT") {
        needArgs(form, 0, 1);
        if (form.items.size() == 1) return Value::symbol(L"");
        const Value v = arg(1);
        writeCommandLine(v.kind == Value::Str ? v.text : lisp::print(v));
        return f == L"PROMPT" ? Value::nil() : v;
    }
    if (auto it = st().userFunctions.find(f); it != st().userFunctions.end())
        return callUserFunction(it->second, form);
    if (auto it = st().defuns.find(f); it != st().defuns.end()) {
        needArgs(form, 0, 0);
        return callModuleFunction(f, it->second);
    }
    throw LispError(L"no function definition: " + f);
}

Value eval(const Value& v) {
    if (++st().depth > 400) {
        --st().depth;
        throw LispError(L"stack overflow");
    }
    struct Leave {
        ~Leave() { --st().depth; }
    } leave;
    switch (v.kind) {
        case Value::Sym: {
            auto it = st().globals.find(v.text);
            return it != st().globals.end() ? it->second : Value::nil();
        }
        case Value::List:
            return evalForm(v);
        default:
            return v;
    }
}

// Evaluates each expression; returns the last value, or reports the error.
std::optional<Value> evaluateAll(const std::wstring& text) {
    try {
        Value last;
        for (const Value& expr : lisp::read(text)) last = eval(expr);
        return last;
    } catch (const LispError& e) {
        writeCommandLine(L"; error: " + e.message + L"\n");
        return std::nullopt;
    }
}

void forgetModule(void* appId) {
    std::erase_if(st().defuns, [appId](const auto& kv) { return kv.second.appId == appId; });
}

// A command "C:NAME" defined by a module, or by (defun c:name ...).
bool runLispCommand(const std::wstring& name) {
    const std::wstring fname = L"C:" + name;
    if (auto it = st().defuns.find(fname); it != st().defuns.end()) {
        const Defined d = it->second;
        try {
            callModuleFunction(fname, d);
        } catch (const LispError& e) {
            writeCommandLine(L"; error: " + e.message + L"\n");
        }
        return true;
    }
    if (st().userFunctions.count(fname)) {
        evaluateAll(L"(" + fname + L")");
        return true;
    }
    return false;
}
}  // namespace

void evaluateAndPrint(const std::wstring& text) {
    if (auto v = evaluateAll(text)) writeCommandLine(lisp::print(*v) + L"\n");
}

void runLispQueue() {
    // Expressions queued while these run are run too, in order.
    while (!st().queue.empty()) {
        const std::wstring expr = st().queue.front();
        st().queue.pop_front();
        evaluateAll(expr);
    }
}

bool lispQueuePending() {
    return !st().queue.empty();
}

std::wstring lispVariable(const std::wstring& name) {
    auto it = st().globals.find(asciiUpper(name));
    return it != st().globals.end() ? lisp::print(it->second) : L"nil";
}

void resetLisp() {
    st().globals.clear();
    st().defuns.clear();
    st().userFunctions.clear();
    st().queue.clear();
}

void installLisp() {
    setLispCommandRunner(runLispCommand);
    setModuleUnloadHook(forgetModule);
}

}  // namespace cadhost

using cadhost::st;

int ads_queueexpr(const ACHAR* expr) {
    if (expr == nullptr || cadhost::trim(expr).empty()) return RTERROR;
    st().queue.emplace_back(expr);
    return RTNORM;
}

int acedDefun(const ACHAR* name, short funcode) {
    void* app = cadhost::currentAppId();
    if (name == nullptr || *name == 0 || funcode < 0 || app == nullptr) return RTERROR;
    st().defuns[cadhost::asciiUpper(name)] = cadhost::Defined{funcode, app};
    return RTNORM;
}

int acedUndef(const ACHAR* name, short funcode) {
    if (name == nullptr) return RTERROR;
    auto it = st().defuns.find(cadhost::asciiUpper(name));
    if (it == st().defuns.end() || it->second.code != funcode) return RTERROR;
    st().defuns.erase(it);
    return RTNORM;
}

int acedGetFunCode() {
    const int code = cadhost::currentFunctionCode();
    return code >= 0 ? code : RTERROR;
}

int acedRetNil() {
    st().returned = cadhost::lisp::Value::nil();
    return RTNORM;
}
int acedRetT() {
    st().returned = cadhost::lisp::Value::t();
    return RTNORM;
}
int acedRetVoid() {
    st().returned = cadhost::lisp::Value::symbol(L"");
    return RTNORM;
}
int acedRetInt(int value) {
    st().returned = cadhost::lisp::Value::ofInt(value);
    return RTNORM;
}
int acedRetReal(ads_real value) {
    st().returned = cadhost::lisp::Value::ofReal(value);
    return RTNORM;
}
int acedRetStr(const ACHAR* value) {
    st().returned = cadhost::lisp::Value::ofString(value != nullptr ? value : L"");
    return RTNORM;
}
