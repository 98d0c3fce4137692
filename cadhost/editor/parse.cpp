#include "cadhost/editor/parse.h"

#include <cmath>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "cadhost/rx/wide.h"

namespace cadhost {

std::optional<double> parseReal(std::wstring_view text) {
    const std::wstring t = trim(text);
    if (t.empty()) return std::nullopt;
    // Only plain decimal notation: no hex, inf or nan from strtod.
    for (wchar_t c : t)
        if (std::wcschr(L"0123456789+-.eE", c) == nullptr) return std::nullopt;
    wchar_t* end = nullptr;
    const double v = std::wcstod(t.c_str(), &end);
    if (end == t.c_str() || *end != 0 || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::optional<long> parseInteger(std::wstring_view text) {
    const std::wstring t = trim(text);
    if (t.empty() || t.size() > 18) return std::nullopt;
    std::size_t i = (t[0] == L'-' || t[0] == L'+') ? 1 : 0;
    if (i == t.size()) return std::nullopt;
    for (std::size_t k = i; k < t.size(); ++k)
        if (t[k] < L'0' || t[k] > L'9') return std::nullopt;
    return std::wcstol(t.c_str(), nullptr, 10);
}

std::optional<TypedPoint> parsePoint(std::wstring_view text) {
    std::wstring t = trim(text);
    TypedPoint p;
    if (!t.empty() && t[0] == L'@') {
        p.relative = true;
        t = t.substr(1);
        if (t.empty()) return p;  // "@" alone: the last point itself
    }
    if (const auto lt = t.find(L'<'); lt != std::wstring::npos) {
        const auto dist = parseReal(std::wstring_view(t).substr(0, lt));
        const auto angle = parseReal(std::wstring_view(t).substr(lt + 1));
        if (!dist || !angle) return std::nullopt;
        const double a = *angle * M_PI / 180.0;
        p.xyz[0] = *dist * std::cos(a);
        p.xyz[1] = *dist * std::sin(a);
        return p;
    }
    std::vector<std::wstring_view> parts;
    std::wstring_view rest(t);
    for (;;) {
        const auto comma = rest.find(L',');
        parts.push_back(rest.substr(0, comma));
        if (comma == std::wstring_view::npos) break;
        rest = rest.substr(comma + 1);
    }
    if (parts.size() < 2 || parts.size() > 3) return std::nullopt;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const auto v = parseReal(parts[i]);
        if (!v) return std::nullopt;
        p.xyz[i] = *v;
    }
    return p;
}

}  // namespace cadhost
