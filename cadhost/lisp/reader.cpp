#include <cstdio>
#include <cwchar>
#include <cwctype>

#include "cadhost/editor/parse.h"
#include "cadhost/lisp/value.h"
#include "cadhost/rx/wide.h"

namespace cadhost::lisp {

LispError::LispError(const std::wstring& m) : std::runtime_error(toUtf8(m)), message(m) {}

namespace {
class Reader {
  public:
    explicit Reader(const std::wstring& text) : s_(text) {}

    std::vector<Value> all() {
        std::vector<Value> out;
        for (skip(); pos_ < s_.size(); skip()) out.push_back(expression());
        return out;
    }

  private:
    void skip() {
        while (pos_ < s_.size()) {
            if (std::iswspace(s_[pos_])) {
                ++pos_;
            } else if (s_[pos_] == L';') {
                while (pos_ < s_.size() && s_[pos_] != L'\n') ++pos_;
            } else {
                break;
            }
        }
    }

    Value expression() {
        if (++depth_ > 200) throw LispError(L"too deeply nested input");
        struct Leave {
            int& d;
            ~Leave() { --d; }
        } leave{depth_};
        skip();
        if (pos_ >= s_.size()) throw LispError(L"malformed list on input");
        const wchar_t c = s_[pos_];
        if (c == L'(') {
            ++pos_;
            std::vector<Value> items;
            for (skip(); pos_ < s_.size() && s_[pos_] != L')'; skip()) {
                // A dotted pair reads as a plain two-element list.
                if (s_[pos_] == L'.' && pos_ + 1 < s_.size() && std::iswspace(s_[pos_ + 1])) {
                    ++pos_;
                    continue;
                }
                items.push_back(expression());
            }
            if (pos_ >= s_.size()) throw LispError(L"malformed list on input");
            ++pos_;
            return Value::list(std::move(items));
        }
        if (c == L')') throw LispError(L"extra right paren on input");
        if (c == L'\'') {
            ++pos_;
            return Value::list({Value::symbol(L"QUOTE"), expression()});
        }
        if (c == L'"') return string();
        return atom();
    }

    Value string() {
        ++pos_;
        std::wstring out;
        while (pos_ < s_.size() && s_[pos_] != L'"') {
            wchar_t c = s_[pos_++];
            if (c == L'\\' && pos_ < s_.size()) {
                const wchar_t e = s_[pos_++];
                c = e == L'n' ? L'\n' : e == L't' ? L'\t' : e == L'r' ? L'\r' : e == L'e' ? 27 : e;
            }
            out += c;
        }
        if (pos_ >= s_.size()) throw LispError(L"malformed string on input");
        ++pos_;
        return Value::ofString(std::move(out));
    }

    Value atom() {
        const std::size_t start = pos_;
        while (pos_ < s_.size() && !std::iswspace(s_[pos_]) && s_[pos_] != L'(' &&
               s_[pos_] != L')' && s_[pos_] != L'"' && s_[pos_] != L';' && s_[pos_] != L'\'')
            ++pos_;
        const std::wstring word = s_.substr(start, pos_ - start);
        if (auto i = parseInteger(word); i && word.find_first_of(L".eE") == std::wstring::npos)
            return Value::ofInt(*i);
        if (auto r = parseReal(word)) return Value::ofReal(*r);
        const std::wstring name = asciiUpper(word);
        if (name == L"NIL") return Value::nil();
        if (name == L"T") return Value::t();
        return Value::symbol(name);
    }

    const std::wstring& s_;
    std::size_t pos_ = 0;
    int depth_ = 0;
};
}  // namespace

std::vector<Value> read(const std::wstring& text) {
    return Reader(text).all();
}

std::wstring print(const Value& v) {
    switch (v.kind) {
        case Value::Nil:
            return L"nil";
        case Value::True:
            return L"T";
        case Value::Int:
            return std::to_wstring(v.integer);
        case Value::Real: {
            wchar_t buf[64];
            std::swprintf(buf, 64, L"%.6g", v.real);
            std::wstring s = buf;
            if (s.find_first_of(L".en") == std::wstring::npos) s += L".0";
            return s;
        }
        case Value::Str: {
            std::wstring s = L"\"";
            for (wchar_t c : v.text) {
                if (c == L'"' || c == L'\\')
                    s += L'\\', s += c;
                else if (c == L'\n')
                    s += L"\\n";
                else
                    s += c;
            }
            return s + L"\"";
        }
        case Value::Sym:
            return v.text;
        case Value::List: {
            std::wstring s = L"(";
            for (std::size_t i = 0; i < v.items.size(); ++i)
                s += (i ? L" " : L"") + print(v.items[i]);
            return s + L")";
        }
    }
    return L"nil";
}

}  // namespace cadhost::lisp
