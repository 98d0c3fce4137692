#include "cadhost/dxf/tokenize.h"

#include <charconv>
#include <cstring>

namespace cadhost::dxf {

namespace {

// Calls fn(code, codeStart, valueStart, valueLength, next) for each group of
// bytes [begin, end), `next` being where the group's value line ends.
template <class Fn>
void forEachGroup(std::string_view file, std::uint32_t begin, std::uint32_t end, Fn&& fn) {
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
        std::uint32_t cb, cl, vb, vl;
        line(cb, cl);
        if (pos >= end && cb + cl >= end) break;
        line(vb, vl);
        std::string_view code = file.substr(cb, cl);
        while (!code.empty() && (code.front() == ' ' || code.front() == '\t'))
            code.remove_prefix(1);
        while (!code.empty() && (code.back() == ' ' || code.back() == '\t')) code.remove_suffix(1);
        int c = 0;
        std::from_chars(code.data(), code.data() + code.size(), c);
        fn(c, cb, vb, vl, pos);
    }
}

}  // namespace

Tags tokenize(std::string_view file, std::uint32_t begin, std::uint32_t end) {
    Tags tags;
    forEachGroup(
        file, begin, end,
        [&](int code, std::uint32_t cb, std::uint32_t vb, std::uint32_t vl, std::uint32_t next) {
            Tag t;
            t.code = code;
            t.value.assign(file.substr(vb, vl));
            t.rawStart = cb;
            t.rawValueOff = vb;
            t.rawValueLen = vl;
            t.rawEnd = next;
            tags.push_back(std::move(t));
        });
    return tags;
}

void tokenizeViews(std::string_view file, std::uint32_t begin, std::uint32_t end,
                   std::vector<TagView>& out) {
    out.clear();
    forEachGroup(file, begin, end,
                 [&](int code, std::uint32_t, std::uint32_t vb, std::uint32_t vl, std::uint32_t) {
                     out.push_back({code, file.substr(vb, vl)});
                 });
}

}  // namespace cadhost::dxf
