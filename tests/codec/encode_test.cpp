#include <gtest/gtest.h>

#include "hebrew/codec/drawing_text_codec.h"
#include "tests/codec/codec_test_support.h"

namespace tarsil::hebrew {
namespace {

std::wstring Encoded(std::wstring text, FontType type, std::vector<unsigned char> mask = {}) {
    EncodeDrawingText(text, type, mask);
    return text;
}

const std::wstring kAlefBetGimel = Bytes({0xE0, 0xE1, 0xE2});
const std::wstring kShalom123 = Bytes({0xF9, 0xEC, 0xE5, 0xED}) + L" 123";

TEST(EncodeEveryType, AlefBetGimelIsStoredAsEachFontExpects) {
    EXPECT_EQ(Encoded(kAlefBetGimel, FontType::HebrewNormal), Bytes({0x82, 0x81, 0x80}));
    EXPECT_EQ(Encoded(kAlefBetGimel, FontType::D2w), Bytes({0xE2, 0xE1, 0xE0}));
    EXPECT_EQ(Encoded(kAlefBetGimel, FontType::Unknown), kAlefBetGimel);
    EXPECT_EQ(Encoded(kAlefBetGimel, FontType::Hebrew7Bit), L"tcd");
    EXPECT_EQ(Encoded(kAlefBetGimel, FontType::Hebrew7BitBackward), L"tcd");
}

TEST(EncodeEveryType, NumbersKeepTheirOrderBesideHebrew) {
    EXPECT_EQ(Encoded(kShalom123, FontType::HebrewNormal),
              L"123 " + Bytes({0x8D, 0x85, 0x8C, 0x99}));
    EXPECT_EQ(Encoded(kShalom123, FontType::D2w), L"123 " + Bytes({0xED, 0xE5, 0xEC, 0xF9}));
    EXPECT_EQ(Encoded(kShalom123, FontType::Hebrew7Bit), L"akuo 321");
    // Unknown keeps the right-to-left listing: the digits come reversed.
    EXPECT_EQ(Encoded(kShalom123, FontType::Unknown), Bytes({0xF9, 0xEC, 0xE5, 0xED}) + L" 321");
}

TEST(EncodeUnchanged, BackwardAsIsAndOtherValuesAreNotEvenReordered) {
    const std::wstring logical = kShalom123 + L" abc (x)";
    for (int value : {2, 5, 6, 7, -1, 254, 256}) {
        EXPECT_EQ(Encoded(logical, static_cast<FontType>(value)), logical) << value;
    }
}

TEST(EncodeMask, NeutralTypedAsHebrewStaysRightToLeft) {
    // A full stop typed after Latin text goes with the Latin run, unless it
    // was typed with the Hebrew layout: then it closes the right-to-left line.
    EXPECT_EQ(Encoded(L"abc.", FontType::Unknown, Mask(L"llll")), L".cba");
    EXPECT_EQ(Encoded(L"abc.", FontType::Unknown, Mask(L"lllh")), L"cba.");
    // A blank typed as Hebrew splits two numbers into a right-to-left pair.
    EXPECT_EQ(Encoded(L"12 34", FontType::Unknown, Mask(L"lllll")), L"43 21");
    EXPECT_EQ(Encoded(L"12 34", FontType::Unknown, Mask(L"llhll")), L"21 43");
    EXPECT_EQ(Encoded(L"12 34", FontType::D2w, Mask(L"llhll")), L"34 12");
}

TEST(EncodeMask, MissingMaskBytesCountAsNotHebrew) {
    for (FontType type : {FontType::HebrewNormal, FontType::D2w, FontType::Unknown}) {
        EXPECT_EQ(Encoded(L"12 34", type, {}), Encoded(L"12 34", type, Mask(L"lllll")));
        EXPECT_EQ(Encoded(L"12 34", type, Mask(L"ll")), Encoded(L"12 34", type, Mask(L"lllll")));
    }
}

TEST(EncodeLimits, TextEndsAtItsFirstNulAndEmptyStaysEmpty) {
    std::wstring text = kAlefBetGimel;
    text += L'\0';
    text += L"x";
    EXPECT_EQ(Encoded(text, FontType::D2w), Bytes({0xE2, 0xE1, 0xE0}));
    for (int value : {0, 1, 3, 4, 255}) {
        EXPECT_EQ(Encoded(L"", static_cast<FontType>(value)), L"") << value;
    }
}

// What is encoded for a font decodes back to what was typed.
TEST(RoundTrip, HebrewAndNumbersSurviveEveryTypeThatDecodes) {
    const std::wstring texts[] = {kAlefBetGimel, kShalom123, Bytes({0xE0, 0x20, 0xE1, 0xE2}),
                                  L"12 " + kAlefBetGimel};
    for (int value : {0, 1, 3, 4}) {
        const auto type = static_cast<FontType>(value);
        for (const std::wstring& text : texts) {
            std::wstring stored = Encoded(text, type);
            DecodeDrawingText(stored, type);
            EXPECT_EQ(stored, text) << "type " << value;
        }
    }
}

TEST(RoundTrip, LatinAndHebrewMixSurvivesTheTypesThatKeepLatin) {
    const std::wstring text = Bytes({0xE0, 0xE1, 0x20}) + L"abc " + Bytes({0xE2});
    for (FontType type : {FontType::HebrewNormal, FontType::D2w}) {
        std::wstring stored = Encoded(text, type);
        EXPECT_NE(stored, text);
        DecodeDrawingText(stored, type);
        EXPECT_EQ(stored, text);
    }
}

}  // namespace
}  // namespace tarsil::hebrew
