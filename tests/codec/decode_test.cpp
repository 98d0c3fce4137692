#include <gtest/gtest.h>

#include "hebrew/codec/drawing_text_codec.h"
#include "tests/codec/codec_test_support.h"

namespace tarsil::hebrew {
namespace {

std::wstring Decoded(std::wstring text, FontType type) {
    DecodeDrawingText(text, type);
    return text;
}

const std::wstring kShalom = Bytes({0xF9, 0xEC, 0xE5, 0xED});  // שלום, logical

TEST(DecodeHebrewNormal, TextWithoutDosHebrewIsLeftAsItIs) {
    EXPECT_EQ(Decoded(L"abc 123 (x)", FontType::HebrewNormal), L"abc 123 (x)");
    EXPECT_EQ(Decoded(L"", FontType::HebrewNormal), L"");
    EXPECT_EQ(Decoded(Bytes({0xE0, 0xE1}), FontType::HebrewNormal), Bytes({0xE0, 0xE1}));
}

TEST(DecodeHebrewNormal, DosLettersInLeftToRightListingBecomeLogicalWindowsText) {
    // Stored left to right: 123, blank, then the DOS letters of שלום reversed.
    EXPECT_EQ(Decoded(L"123 " + Bytes({0x8D, 0x85, 0x8C, 0x99}), FontType::HebrewNormal),
              kShalom + L" 123");
    EXPECT_EQ(Decoded(Bytes({0x82, 0x81, 0x80}), FontType::HebrewNormal),
              Bytes({0xE0, 0xE1, 0xE2}));
}

TEST(DecodeHebrewNormal, EscapesAreDecodedOnlyWhenTheTextHoldsHebrew) {
    EXPECT_EQ(Decoded(std::wstring(1, Dos(1)) + L"%%128", FontType::HebrewNormal),
              Bytes({0xE0, 0xE1}));
    EXPECT_EQ(Decoded(L"%%128", FontType::HebrewNormal), L"%%128");
    EXPECT_EQ(Decoded(L"abc %%128", FontType::HebrewNormal), L"abc %%128");
}

TEST(DecodeHebrewNormal, TextWithAUnicodeEscapeCountsAsHebrew) {
    const std::wstring decoded = Decoded(L"\\U+05D0 %%128", FontType::HebrewNormal);
    EXPECT_EQ(decoded.find(L"%%"), std::wstring::npos);
    EXPECT_NE(decoded.find(Win(0)), std::wstring::npos);
    EXPECT_EQ(decoded.size(), 9u);  // shortened by the escape
}

TEST(DecodeSevenBit, KeysInRightToLeftListingBecomeLogicalWindowsText) {
    for (FontType type : {FontType::Hebrew7Bit, FontType::Hebrew7BitBackward}) {
        EXPECT_EQ(Decoded(L"tcd", type), Bytes({0xE0, 0xE1, 0xE2}));
        EXPECT_EQ(Decoded(L"akuo 321", type), kShalom + L" 123");
    }
}

TEST(DecodeSevenBit, EscapesAreAlwaysDecoded) {
    EXPECT_EQ(Decoded(L"%%128", FontType::Hebrew7Bit), std::wstring(1, Win(0)));
    EXPECT_EQ(Decoded(L"%%154", FontType::Hebrew7BitBackward), std::wstring(1, Win(26)));
    // Out of range: the escape stays, read back as a right-to-left listing.
    EXPECT_EQ(Decoded(L"%%127", FontType::Hebrew7Bit), L"721%%");
}

TEST(DecodeD2w, WindowsLettersInLeftToRightListingBecomeLogical) {
    EXPECT_EQ(Decoded(Bytes({0xE2, 0xE1, 0xE0}), FontType::D2w), Bytes({0xE0, 0xE1, 0xE2}));
    EXPECT_EQ(Decoded(L"123 " + Bytes({0xED, 0xE5, 0xEC, 0xF9}), FontType::D2w), kShalom + L" 123");
    EXPECT_EQ(Decoded(L"%%128", FontType::D2w), L"%%128");  // no escapes here
}

TEST(DecodeUnchanged, BackwardAsIsUnknownAndOtherValuesPassThrough) {
    const std::wstring stored = L"123 " + Bytes({0x8D, 0xE0, 0x80}) + L" %%128 tcd";
    for (int value : {2, 5, 255, 6, 7, -1, 1000}) {
        EXPECT_EQ(Decoded(stored, static_cast<FontType>(value)), stored) << value;
    }
}

TEST(DecodeLimits, TextEndsAtItsFirstNul) {
    std::wstring text = Bytes({0x81, 0x80});
    text += L'\0';
    text += L"tail";
    EXPECT_EQ(Decoded(text, FontType::HebrewNormal), Bytes({0xE0, 0xE1}));
    EXPECT_EQ(Decoded(text, FontType::AsIs), text);  // untouched types keep all
}

}  // namespace
}  // namespace tarsil::hebrew
