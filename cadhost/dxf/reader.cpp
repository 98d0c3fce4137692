#include "cadhost/dxf/reader.h"

#include <charconv>
#include <cstring>
#include <limits>
#include <string_view>

#include "cadhost/dxf/strings.h"

namespace cadhost::dxf {

ValueKind valueKind(int code) {
    if ((code >= 10 && code <= 59) || (code >= 110 && code <= 149) ||
        (code >= 210 && code <= 239) || (code >= 460 && code <= 469) ||
        (code >= 1010 && code <= 1059))
        return ValueKind::Real;
    if ((code >= 60 && code <= 79) || (code >= 170 && code <= 179) ||
        (code >= 270 && code <= 289) || (code >= 370 && code <= 389) ||
        (code >= 400 && code <= 409) || (code >= 1060 && code <= 1070))
        return ValueKind::Int16;
    if ((code >= 90 && code <= 99) || (code >= 420 && code <= 429) ||
        (code >= 440 && code <= 449) || code == 1071)
        return ValueKind::Int32;
    if ((code >= 160 && code <= 169) || (code >= 450 && code <= 459)) return ValueKind::Int64;
    if (code >= 290 && code <= 299) return ValueKind::Bool;
    return ValueKind::String;
}

namespace {

std::string lineMsg(std::size_t line, const std::string& what) {
    return "line " + std::to_string(line) + ": " + what;
}

std::string shown(std::string_view v) {
    std::string s(v.substr(0, 40));
    for (char& c : s)
        if (static_cast<unsigned char>(c) < 0x20) c = '?';
    return "\"" + s + (v.size() > 40 ? "...\"" : "\"");
}

// Checks a numeric value; returns an empty string or the complaint.
std::string checkValue(int code, std::string_view raw) {
    ValueKind kind = valueKind(code);
    if (kind == ValueKind::String) return {};
    std::string_view v = trim(raw);
    if (!v.empty() && v.front() == '+') v.remove_prefix(1);
    const char* end = v.data() + v.size();
    if (kind == ValueKind::Real) {
        double d = 0;
        auto r = std::from_chars(v.data(), end, d);
        if (v.empty() || r.ec == std::errc::invalid_argument || r.ptr != end)
            return "value " + shown(raw) + " of group code " + std::to_string(code) +
                   " is not a number";
        if (r.ec == std::errc::result_out_of_range)
            return "value " + shown(raw) + " of group code " + std::to_string(code) +
                   " is out of range";
        return {};
    }
    long long n = 0;
    auto r = std::from_chars(v.data(), end, n);
    if (v.empty() || r.ec == std::errc::invalid_argument || r.ptr != end)
        return "value " + shown(raw) + " of group code " + std::to_string(code) +
               " is not an integer";
    long long lo = std::numeric_limits<long long>::min(),
              hi = std::numeric_limits<long long>::max();
    if (kind == ValueKind::Int16) lo = -32768, hi = 32767;
    if (kind == ValueKind::Int32)
        lo = std::numeric_limits<std::int32_t>::min(),
        hi = std::numeric_limits<std::int32_t>::max();
    if (kind == ValueKind::Bool) lo = -128, hi = 255;
    if (r.ec == std::errc::result_out_of_range || n < lo || n > hi)
        return "value " + shown(raw) + " of group code " + std::to_string(code) +
               " is out of range";
    return {};
}

bool startsWith(std::string_view s, std::string_view p) {
    return s.substr(0, p.size()) == p;
}

}  // namespace

bool parseDxf(std::string_view bytes, ParsedDxf& out,
              const std::function<void(const RawTag&)>& onTag, std::string& error) {
    out = ParsedDxf{};
    std::string_view all(bytes);
    if (all.size() >= 0xFFFFFFF0u) {
        error = "file is too large (4 GB or more)";
        return false;
    }
    if (startsWith(all, "AutoCAD Binary DXF")) {
        error = "binary DXF files are not supported; save the drawing as ASCII DXF";
        return false;
    }
    if (all.size() >= 6 && startsWith(all, "AC1") &&
        all.substr(0, std::min<std::size_t>(all.size(), 256)).find('\0') !=
            std::string_view::npos) {
        error = "DWG files are not supported; save the drawing as ASCII DXF";
        return false;
    }
    if (all.empty()) {
        error = "empty file";
        return false;
    }
    const char* base = bytes.data();
    std::size_t pos = 0, line = 0;
    const std::size_t size = bytes.size();
    // A UTF-8 byte order mark, as some editors put one: read past it, and
    // the bytes before the first group (kept on saving) keep it.
    if (startsWith(all, "\xEF\xBB\xBF")) pos = 3;
    // Lines ended by CR alone (old Macintosh files) would read as one line.
    if (const std::size_t cr = all.find('\r', pos);
        cr != std::string_view::npos &&
        all.substr(pos, cr - pos).find('\n') == std::string_view::npos &&
        (cr + 1 == size || base[cr + 1] != '\n')) {
        error =
            "line 1: lines end in CR alone (old Macintosh style); save the drawing with CR LF or "
            "LF line ends";
        return false;
    }
    // Reads one line; returns false at the end of the bytes.
    auto nextLine = [&](std::size_t& begin, std::size_t& len) {
        if (pos >= size) return false;
        begin = pos;
        const void* nl = std::memchr(base + pos, '\n', size - pos);
        std::size_t end = nl ? static_cast<const char*>(nl) - base : size;
        len = end - begin;
        if (len > 0 && base[end - 1] == '\r') --len;
        pos = nl ? end + 1 : size;
        ++line;
        return true;
    };

    bool inSection = false, expectSectionName = false, sawEof = false;
    std::size_t sectionLine = 0;
    std::string sectionName;
    while (true) {
        std::size_t cb, cl;
        if (!nextLine(cb, cl)) break;
        std::string_view codeText(base + cb, cl);
        if (line == 1) {
            out.crlf = cb + cl < size && base[cb + cl] == '\r';
            std::size_t lead = codeText.find_first_not_of(' ');
            if (lead != 0 && lead != std::string_view::npos) out.codeWidth = static_cast<int>(cl);
        }
        std::size_t codeLine = line;
        std::string_view ct = trim(codeText);
        int code = 0;
        auto r = std::from_chars(ct.data(), ct.data() + ct.size(), code);
        if (ct.empty() || r.ec != std::errc() || r.ptr != ct.data() + ct.size()) {
            error = lineMsg(codeLine, "bad group code " + shown(codeText));
            return false;
        }
        if (code < 0 || code > 1071) {
            error = lineMsg(codeLine, "group code " + std::to_string(code) + " is out of range");
            return false;
        }
        std::size_t vb, vl;
        if (!nextLine(vb, vl)) {
            error = lineMsg(codeLine, "group code " + std::to_string(code) +
                                          " has no value line (the file is truncated)");
            return false;
        }
        std::string_view value(base + vb, vl);
        if (std::memchr(value.data(), '\0', value.size()) != nullptr) {
            error = lineMsg(line, "NUL byte in a value");
            return false;
        }
        if (std::string bad = checkValue(code, value); !bad.empty()) {
            error = lineMsg(line, bad);
            return false;
        }
        onTag(RawTag{static_cast<std::uint32_t>(cb), static_cast<std::uint32_t>(vb),
                     static_cast<std::uint32_t>(vl), code});
        if (expectSectionName) {
            if (code != 2) {
                error = lineMsg(codeLine, "SECTION is not followed by its name (group code 2)");
                return false;
            }
            sectionName = std::string(trim(value));
            expectSectionName = false;
        }
        if (code != 0) {
            if (!inSection && code != 999) {
                error = lineMsg(codeLine,
                                "group code " + std::to_string(code) + " outside any section");
                return false;
            }
            continue;
        }
        std::string_view v = trim(value);
        if (v == "SECTION") {
            if (inSection) {
                error = lineMsg(codeLine, "SECTION inside section " + sectionName +
                                              " (started at line " + std::to_string(sectionLine) +
                                              ") that has no ENDSEC");
                return false;
            }
            inSection = expectSectionName = true;
            sectionLine = codeLine;
        } else if (v == "ENDSEC") {
            if (!inSection) {
                error = lineMsg(codeLine, "ENDSEC without SECTION");
                return false;
            }
            inSection = false;
        } else if (v == "EOF") {
            if (inSection) {
                error = lineMsg(codeLine, "section " + sectionName + " (started at line " +
                                              std::to_string(sectionLine) + ") has no ENDSEC");
                return false;
            }
            sawEof = true;
            break;
        } else if (!inSection) {
            error = lineMsg(codeLine, "entity " + shown(value) + " outside any section");
            return false;
        }
    }
    if (!sawEof) {
        if (inSection)
            error = lineMsg(line, "section " + sectionName + " (started at line " +
                                      std::to_string(sectionLine) + ") has no ENDSEC");
        else
            error = lineMsg(line, "missing EOF at the end of the file");
        return false;
    }
    out.tailStart = pos;
    return true;
}

}  // namespace cadhost::dxf
