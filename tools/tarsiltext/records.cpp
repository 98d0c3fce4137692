#include "tools/tarsiltext/records.h"

#include <cstdint>
#include <cstdio>
#include <istream>
#include <ostream>

namespace tarsil::tools {
namespace {

constexpr char32_t kFirstHebrewLetter = 0x05D0, kLastHebrewLetter = 0x05EA;
constexpr unsigned kFirstWindowsLetter = 0xE0;

[[noreturn]] void BadUtf8(std::size_t at) {
    throw RecordError("invalid UTF-8 at byte " + std::to_string(at) + " of a record");
}

char32_t DecodeOne(const std::string& s, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(s[i]);
    if (lead < 0x80) return s[i++];
    int extra;
    char32_t cp;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1, cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, cp = lead & 0x07;
    } else {
        BadUtf8(i);
    }
    if (i + extra >= s.size()) BadUtf8(i);
    for (int k = 1; k <= extra; ++k) {
        const auto c = static_cast<unsigned char>(s[i + k]);
        if ((c & 0xC0) != 0x80) BadUtf8(i);
        cp = (cp << 6) | (c & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kSmallest[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) BadUtf8(i);
    i += extra + 1;
    return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

}  // namespace

std::wstring Utf8ToEngineText(const std::string& utf8) {
    std::wstring text;
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t cp = DecodeOne(utf8, i);
        if (cp >= kFirstHebrewLetter && cp <= kLastHebrewLetter) {
            text.push_back(static_cast<wchar_t>(kFirstWindowsLetter + (cp - kFirstHebrewLetter)));
        } else if (cp <= 0xFF) {
            text.push_back(static_cast<wchar_t>(cp));
        } else {
            char hex[16];
            std::snprintf(hex, sizeof hex, "U+%04X", static_cast<unsigned>(cp));
            throw RecordError(std::string("character ") + hex +
                              " has no byte in the Windows Hebrew layout");
        }
    }
    return text;
}

std::string EngineTextToUtf8(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) {
        const auto u = static_cast<std::uint32_t>(c);
        if (u >= 0xE0 && u <= 0xFA)
            AppendUtf8(out, kFirstHebrewLetter + (u - kFirstWindowsLetter));
        else
            AppendUtf8(out, u);
    }
    return out;
}

void AddRecordFlags(CLI::App& app, RecordOptions& options) {
    app.add_flag("-0,--null", options.nulTerminated, "records end with NUL instead of line feed");
    app.add_flag("--utf8", options.utf8, "records are UTF-8; U+05D0..U+05EA are the letters");
}

RecordReader::RecordReader(std::istream& in, const RecordOptions& options)
    : in_(in), options_(options) {}

bool RecordReader::NextRaw(std::string& record) {
    record.clear();
    const char end = options_.nulTerminated ? '\0' : '\n';
    if (!std::getline(in_, record, end)) return false;
    return true;
}

bool RecordReader::Next(std::wstring& record) {
    std::string raw;
    if (!NextRaw(raw)) return false;
    if (options_.utf8) {
        record = Utf8ToEngineText(raw);
    } else {
        record.clear();
        for (unsigned char b : raw) record.push_back(static_cast<wchar_t>(b));
    }
    return true;
}

RecordWriter::RecordWriter(std::ostream& out, const RecordOptions& options)
    : out_(out), options_(options) {}

void RecordWriter::Write(const std::wstring& text) {
    std::string bytes;
    if (options_.utf8) {
        bytes = EngineTextToUtf8(text);
    } else {
        for (wchar_t c : text) bytes.push_back(static_cast<char>(c));
    }
    WriteRaw(bytes);
}

void RecordWriter::WriteRaw(const std::string& ascii) {
    out_ << ascii << (options_.nulTerminated ? '\0' : '\n');
}

}  // namespace tarsil::tools
