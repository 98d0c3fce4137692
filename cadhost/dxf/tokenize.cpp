#include "cadhost/dxf/tokenize.h"

#include <charconv>
#include <cstring>

namespace cadhost::dxf {

Tags tokenize(std::string_view file, std::uint32_t begin, std::uint32_t end) {
    Tags tags;
    std::uint32_t pos = begin;
    auto line = [&](std::uint32_t& b, std::uint32_t& len) {
        b = pos;
        const void* nl = std::memchr(file.data() + pos, '\n', end - pos);
        std::uint32_t e =
            nl ? static_cast<std::uint32_t>(static_cast<const char*>(nl) - file.data()) : end;
        len = e - b;
        if (len > 0 && file[e - 1] == '\r') --len;
        pos = nl ? e + 1 : end;
    };
    while (pos < end) {
        Tag t;
        std::uint32_t cb, cl, vb, vl;
        line(cb, cl);
        if (pos >= end && cb + cl >= end) break;
        line(vb, vl);
        std::string_view code = file.substr(cb, cl);
        while (!code.empty() && (code.front() == ' ' || code.front() == '\t'))
            code.remove_prefix(1);
        while (!code.empty() && (code.back() == ' ' || code.back() == '\t')) code.remove_suffix(1);
        std::from_chars(code.data(), code.data() + code.size(), t.code);
        t.value.assign(file.substr(vb, vl));
        t.rawStart = cb;
        t.rawValueOff = vb;
        t.rawValueLen = vl;
        t.rawEnd = pos;
        tags.push_back(std::move(t));
    }
    return tags;
}

}  // namespace cadhost::dxf
