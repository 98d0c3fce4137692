#pragma once

// Values of the host's LISP: nil, T, integers, reals, strings, symbols and lists.
#include <stdexcept>
#include <string>
#include <vector>

namespace cadhost::lisp {

struct Value {
    enum Kind { Nil, True, Int, Real, Str, Sym, List } kind = Nil;
    long integer = 0;
    double real = 0;
    std::wstring text;  // string contents or upper-case symbol name
    std::vector<Value> items;

    static Value nil() { return {}; }
    static Value t() { return make(True); }
    static Value ofInt(long v) {
        Value r = make(Int);
        r.integer = v;
        return r;
    }
    static Value ofReal(double v) {
        Value r = make(Real);
        r.real = v;
        return r;
    }
    static Value ofString(std::wstring s) {
        Value r = make(Str);
        r.text = std::move(s);
        return r;
    }
    static Value symbol(std::wstring s) {
        Value r = make(Sym);
        r.text = std::move(s);
        return r;
    }
    static Value list(std::vector<Value> v) {
        if (v.empty()) return nil();
        Value r = make(List);
        r.items = std::move(v);
        return r;
    }
    static Value make(Kind k) {
        Value r;
        r.kind = k;
        return r;
    }
    bool isNil() const { return kind == Nil; }
    bool isNumber() const { return kind == Int || kind == Real; }
    double number() const { return kind == Int ? static_cast<double>(integer) : real; }
};

// An error of evaluation, reported as "; error: <what>".
struct LispError : std::runtime_error {
    explicit LispError(const std::wstring& message);
    std::wstring message;
};

// Reads every expression of the text.
std::vector<Value> read(const std::wstring& text);
// The printed form, as the command line shows a result.
std::wstring print(const Value& v);

}  // namespace cadhost::lisp
