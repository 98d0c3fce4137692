#include "tools/tarsiltext/records.h"

#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ostream>

namespace tarsil::tools {
namespace {

// Reads and writes go in blocks of this size.
constexpr std::size_t kBlock = std::size_t{1} << 18;

constexpr char32_t kFirstHebrewLetter = 0x05D0, kLastHebrewLetter = 0x05EA;
constexpr unsigned kFirstWindowsLetter = 0xE0, kLastWindowsLetter = 0xFA;

[[noreturn]] void BadUtf8(std::size_t at) {
    throw RecordError("invalid UTF-8 at byte " + std::to_string(at) + " of a record");
}

char32_t DecodeOne(std::string_view s, std::size_t& i) {
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

wchar_t EngineCharacter(char32_t cp) {
    if (cp >= kFirstHebrewLetter && cp <= kLastHebrewLetter)
        return static_cast<wchar_t>(kFirstWindowsLetter + (cp - kFirstHebrewLetter));
    if (cp <= 0xFF) return static_cast<wchar_t>(cp);
    char hex[16];
    std::snprintf(hex, sizeof hex, "U+%04X", static_cast<unsigned>(cp));
    throw RecordError(std::string("character ") + hex +
                      " has no byte in the Windows Hebrew layout");
}

// Decodes UTF-8 into out one character at a time; every error and every
// character that has no byte is reported here.
std::size_t DecodeEach(std::string_view utf8, wchar_t* out) {
    std::size_t o = 0;
    for (std::size_t i = 0; i < utf8.size();) out[o++] = EngineCharacter(DecodeOne(utf8, i));
    return o;
}

#if defined(__GNUC__) && !defined(__clang__)
// GCC vectorises only from -O3 on; clang does at -O2.
#define TARSIL_VECTORIZE __attribute__((optimize("tree-vectorize")))
#else
#define TARSIL_VECTORIZE
#endif

// True when every character is ASCII, a Hebrew letter or U+0080..U+00FF,
// judged on each pair of neighbouring bytes so that the loop vectorises: a
// first byte of two (0xC2, 0xC3, 0xD7) is followed by a continuation byte
// and a continuation byte follows one, 0xD7 only by 0x90..0xAA, and no other
// byte above 0x7F occurs.
TARSIL_VECTORIZE bool OnlyShortCharacters(const unsigned char* p, std::size_t size) {
    if (size == 0) return true;
    if ((p[0] & 0xC0) == 0x80 || (p[size - 1] >= 0x80 && (p[size - 1] & 0xC0) != 0x80))
        return false;
    unsigned char bad = 0;
    for (std::size_t i = 0; i + 1 < size; ++i) {
        const unsigned char b = p[i], next = p[i + 1];
        const unsigned char first = (b == 0xD7) | ((b & 0xFE) == 0xC2);
        const unsigned char continuing = (b & 0xC0) == 0x80;
        const unsigned char continued = (next & 0xC0) == 0x80;
        const unsigned char notLetter =
            (b == 0xD7) & (static_cast<unsigned char>(next - 0x90) > 0x1A);
        bad |= (first ^ continued) | notLetter | ((b >> 7) & (first ^ 1) & (continuing ^ 1));
    }
    return bad == 0;
}

// How a byte of such text decodes: ASCII is itself; a first byte of two
// gives the second byte plus an offset (0x50 for 0xD7, since 0xD7 0x90 is
// 0xE0; 0 for 0xC2 and 0x40 for 0xC3); a continuation byte ends nothing.
struct ShortStep {
    unsigned char add;
    unsigned char nextMask;
    unsigned char ends;
};
constexpr auto kShortSteps = [] {
    std::array<ShortStep, 256> t{};
    for (unsigned b = 0; b < 256; ++b) {
        if (b < 0x80)
            t[b] = {static_cast<unsigned char>(b), 0, 1};
        else if ((b & 0xC0) == 0x80)
            t[b] = {0, 0, 0};
        else
            t[b] = {static_cast<unsigned char>(b == 0xD7 ? 0x50 : (b & 1) << 6), 0xFF, 1};
    }
    return t;
}();

// Decodes UTF-8 into out, which has room for utf8.size() characters, and
// returns the number of characters.  Text of only ASCII, the Hebrew letters
// and U+0080..U+00FF (checked first) is decoded a byte at a time through
// kShortSteps, without a branch.  Anything else, valid or not, goes through
// DecodeEach.
std::size_t DecodeInto(std::string_view utf8, wchar_t* out) {
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    const std::size_t size = utf8.size();
    if (!OnlyShortCharacters(p, size)) return DecodeEach(utf8, out);
    if (size == 0) return 0;
    std::size_t o = 0;
    for (std::size_t i = 0; i + 1 < size; ++i) {
        const ShortStep& step = kShortSteps[p[i]];
        out[o] = static_cast<wchar_t>(step.add + (p[i + 1] & step.nextMask));
        o += step.ends;
    }
    const unsigned last = p[size - 1];
    out[o] = static_cast<wchar_t>(last);
    return o + (last < 0x80);
}

// The UTF-8 of every engine character: up to two bytes each.
struct Utf8Entry {
    unsigned char bytes[2];
    unsigned char length;
};
constexpr std::array<Utf8Entry, 256> kUtf8 = [] {
    std::array<Utf8Entry, 256> table{};
    for (unsigned u = 0; u < 256; ++u) {
        const unsigned cp = u >= kFirstWindowsLetter && u <= kLastWindowsLetter
                                ? kFirstHebrewLetter + (u - kFirstWindowsLetter)
                                : u;
        if (cp < 0x80)
            table[u] = {{static_cast<unsigned char>(cp), 0}, 1};
        else
            table[u] = {{static_cast<unsigned char>(0xC0 | (cp >> 6)),
                         static_cast<unsigned char>(0x80 | (cp & 0x3F))},
                        2};
    }
    return table;
}();

// Characters above U+00FF only come from other sources than the engine
// (an INI file, say); they are written as they are.
char* AppendUtf8(char* out, char32_t cp) {
    if (cp < 0x800) {
        *out++ = static_cast<char>(0xC0 | (cp >> 6));
    } else {
        if (cp < 0x10000) {
            *out++ = static_cast<char>(0xE0 | (cp >> 12));
        } else {
            *out++ = static_cast<char>(0xF0 | (cp >> 18));
            *out++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        }
        *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    }
    *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    return out;
}

// Room: four bytes per character.
char* EncodeInto(const wchar_t* text, std::size_t n, char* out) {
    for (std::size_t i = 0; i < n; ++i) {
        const auto u = static_cast<std::uint32_t>(text[i]);
        if (u > 0xFF) {
            out = AppendUtf8(out, u);
            continue;
        }
        const Utf8Entry& e = kUtf8[u];
        out[0] = static_cast<char>(e.bytes[0]);
        out[1] = static_cast<char>(e.bytes[1]);
        out += e.length;
    }
    return out;
}

}  // namespace

std::wstring Utf8ToEngineText(std::string_view utf8) {
    std::wstring text(utf8.size(), L'\0');
    text.resize(DecodeInto(utf8, text.data()));
    return text;
}

std::string EngineTextToUtf8(std::wstring_view text) {
    std::string out(4 * text.size(), '\0');
    out.resize(EncodeInto(text.data(), text.size(), out.data()) - out.data());
    return out;
}

void AddRecordFlags(CLI::App& app, RecordOptions& options) {
    app.add_flag("-0,--null", options.nulTerminated, "records end with NUL instead of line feed");
    app.add_flag("--utf8", options.utf8, "records are UTF-8; U+05D0..U+05EA are the letters");
    app.add_flag("--flush", options.flushEachRecord,
                 "write each record out as soon as it is done (the default on a terminal)");
}

RecordReader::RecordReader(int fd, const RecordOptions& options) : fd_(fd), options_(options) {}

bool RecordReader::Fill() {
    if (atEnd_) return false;
    // The unfinished record moves to the front, and a block is read after it.
    const std::size_t partial = end_ - begin_;
    if (begin_ > 0) {
        std::memmove(block_.data(), block_.data() + begin_, partial);
        scanned_ -= begin_;
        begin_ = 0;
        end_ = partial;
    }
    block_.Reserve(partial + kBlock, partial);
    for (;;) {
        const ssize_t got = ::read(fd_, block_.data() + end_, block_.capacity() - end_);
        if (got > 0) {
            end_ += static_cast<std::size_t>(got);
            return true;
        }
        if (got == 0) {
            atEnd_ = true;
            return false;
        }
        if (errno != EINTR)
            throw RecordError(std::string("cannot read the input: ") + std::strerror(errno));
    }
}

bool RecordReader::NextView(std::string_view& record) {
    const char terminator = options_.nulTerminated ? '\0' : '\n';
    for (;;) {
        const char* data = block_.data();
        if (scanned_ < end_) {
            const void* hit = std::memchr(data + scanned_, terminator, end_ - scanned_);
            if (hit != nullptr) {
                const std::size_t at = static_cast<const char*>(hit) - data;
                record = std::string_view(data + begin_, at - begin_);
                begin_ = scanned_ = at + 1;
                return true;
            }
            scanned_ = end_;
        }
        if (!Fill()) {
            if (begin_ == end_) return false;
            record = std::string_view(block_.data() + begin_, end_ - begin_);
            begin_ = scanned_ = end_;
            return true;
        }
    }
}

bool RecordReader::NextRaw(std::string& record) {
    std::string_view view;
    if (!NextView(view)) return false;
    record.assign(view);
    return true;
}

bool RecordReader::Next(std::wstring_view& record) {
    std::string_view raw;
    if (!NextView(raw)) return false;
    // One more for a NUL after the text, where the engine looks for its end.
    wchar_t* text = text_.Reserve(raw.size() + 1);
    std::size_t n = 0;
    if (options_.utf8) {
        n = DecodeInto(raw, text);
    } else {
        for (unsigned char b : raw) text[n++] = static_cast<wchar_t>(b);
    }
    text[n] = 0;
    record = std::wstring_view(text, n);
    return true;
}

bool RecordReader::Next(std::wstring& record) {
    std::wstring_view view;
    if (!Next(view)) return false;
    record.assign(view);
    return true;
}

RecordWriter::RecordWriter(std::ostream& out, const RecordOptions& options)
    : out_(out), options_(options) {}

RecordWriter::~RecordWriter() {
    Flush();
}

char* RecordWriter::Room(std::size_t bytes) {
    const std::size_t needed = bytes + 1;  // and the terminator
    if (used_ + needed > block_.capacity()) {
        if (used_ > 0) out_.write(block_.data(), static_cast<std::streamsize>(used_));
        used_ = 0;
        block_.Reserve(std::max(needed, kBlock));
    }
    return block_.data() + used_;
}

void RecordWriter::EndRecord(char* end) {
    *end++ = options_.nulTerminated ? '\0' : '\n';
    used_ = static_cast<std::size_t>(end - block_.data());
    if (options_.flushEachRecord) {
        Flush();
    } else if (used_ >= kBlock) {
        out_.write(block_.data(), static_cast<std::streamsize>(used_));
        used_ = 0;
    }
}

void RecordWriter::Flush() {
    if (used_ > 0) out_.write(block_.data(), static_cast<std::streamsize>(used_));
    used_ = 0;
    out_.flush();
}

void RecordWriter::Write(const wchar_t* text, std::size_t n) {
    if (options_.utf8) {
        EndRecord(EncodeInto(text, n, Room(4 * n)));
        return;
    }
    char* out = Room(n);
    for (std::size_t i = 0; i < n; ++i) *out++ = static_cast<char>(text[i]);
    EndRecord(out);
}

void RecordWriter::WriteRaw(std::string_view ascii) {
    char* out = Room(ascii.size());
    EndRecord(std::copy(ascii.begin(), ascii.end(), out));
}

}  // namespace tarsil::tools
