#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace cadhost::dxf {

// Where the host takes a code page's characters from: its own tables
// (ANSI_1250..1253, ANSI_1255, DOS862), the C library's iconv for the
// other names a drawing may carry in $DWGCODEPAGE, or nowhere.
struct CodePageInfo {
    enum Source { Own, Iconv, NoUpperHalf, Unknown } source = Unknown;
    const char* iconvName = nullptr;  // for Iconv
    bool multiByte = false;           // lead and trail bytes (932, 936, 949, 950, 1361, ...)
    bool windows = false;             // an ANSI_ page: 0x80..0x9F hold punctuation only
};
CodePageInfo codePageInfo(std::string_view dwgCodePage);

// The characters of bytes 0x80..0xFF in a drawing's code page (0 where it
// has none), or null for a multi-byte or unknown code page (then only
// ASCII is mapped).
const char16_t* upperHalf(std::string_view dwgCodePage);
// The host's own tables only.
const char16_t* ownUpperHalf(std::string_view dwgCodePage);

// Text typed in Unicode as the drawing keeps its 8-bit strings: each
// character that the single-byte code page holds becomes its byte (U+00bb),
// the others stay as they are.
std::wstring toCodePage(std::wstring_view text, std::string_view dwgCodePage);

// 8-bit text (one byte a character, U+0000..U+00FF) read in the code page:
// each piece is a character and the bytes it took, or ch 0 for a byte the
// code page leaves undefined.  An unknown code page reads bytes as Latin-1.
struct DecodedPiece {
    char32_t ch;
    std::size_t length;
};
std::vector<DecodedPiece> decodeBytes(std::u32string_view bytes, std::string_view dwgCodePage);

// Turns a string value of the file into host text.  Before AC1021 each
// byte b is the character U+00bb.  From AC1021 on the value is UTF-8; a
// character that the code page gives for a byte 0x80..0xFF becomes that
// byte, so that legacy 8-bit text reaches the host as the bytes its font
// expects.  Invalid UTF-8 bytes are taken one by one.
class StringCodec {
  public:
    StringCodec() = default;
    StringCodec(bool utf8, std::string_view dwgCodePage);
    std::wstring decode(std::string_view raw) const;
    std::string encode(std::wstring_view text) const;

  private:
    bool utf8_ = false;
    const char16_t* upper_ = nullptr;
    // upper_ inverted and sorted: decoding looks each character up.
    std::vector<std::pair<char16_t, unsigned char>> bytes_;
};

}  // namespace cadhost::dxf
