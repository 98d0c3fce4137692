// Font names in map files: bytes as before, UTF-8 where bytes can't hold them.
#include "fonts/font_name_text.h"

#include <gtest/gtest.h>

namespace tarsil {

TEST(FontNameText, EveryNameComesBackAsItWentOut) {
    struct Case {
        const char* what;
        std::wstring name;
        std::wstring file_text;  // empty: the name itself
    };
    const Case cases[] = {
        {"plain ASCII", L"romans", L""},
        {"code page bytes stay bytes", L"\u00e0\u00e1\u00e9font", L""},
        {"DOS-layout bytes", L"\u0080\u0081x", L""},
        {"Hebrew letters in UTF-8", L"\u05d3\u05d5\u05d3", L"\u00d7\u0093\u00d7\u0095\u00d7\u0093"},
        {"mixed Latin-1 and Hebrew: all UTF-8", L"\u00e9\u05d0", L"\u00c3\u00a9\u00d7\u0090"},
        {"beyond the basic plane", L"a\U0001F600", L"a\u00f0\u009f\u0098\u0080"},
        // Bytes that would read as UTF-8 go out as UTF-8 so they come back.
        {"bytes that spell UTF-8", L"\u00c3\u00a9", L"\u00c3\u0083\u00c2\u00a9"},
        {"empty", L"", L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::wstring text = FontNameToFileText(c.name);
        EXPECT_EQ(text, c.file_text.empty() ? c.name : c.file_text);
        EXPECT_EQ(FontNameFromFileText(text), c.name);
    }
}

TEST(FontNameText, MalformedUtf8ReadsAsBytes) {
    const std::wstring cases[] = {
        L"\u00c3",                    // cut short
        L"\u00c0\u00af",              // overlong '/'
        L"\u00e0\u0090\u0080",        // overlong U+0400 in three bytes
        L"\u00f0\u0088\u0080\u0080",  // overlong U+8000 in four bytes
        L"\u00ed\u00a0\u0080",        // a surrogate
        L"\u00f4\u0090\u0080\u0080",  // above U+10FFFF
        L"\u00d7x",                   // lead without its continuation
        L"\u0093",                    // a lone continuation byte
    };
    for (const std::wstring& text : cases) EXPECT_EQ(FontNameFromFileText(text), text);
}

}  // namespace tarsil
