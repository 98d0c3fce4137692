#pragma once

#include <string>
#include <string_view>

namespace cadhost::dxf {

// The characters of bytes 0x80..0xFF in a drawing's code page, or null for
// a code page this host does not know (then only ASCII is mapped).
const char16_t* upperHalf(std::string_view dwgCodePage);

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
};

}  // namespace cadhost::dxf
