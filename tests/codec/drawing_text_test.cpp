// Stored text of each font type to logical text and back, and the
// conversion of logical text for a DOS or Windows target.
#include <gtest/gtest.h>

#include "hebrew/codec/drawing_text_codec.h"
#include "tests/codec/codec_test_support.h"

namespace tarsil::hebrew {
namespace {

std::wstring Decoded(std::wstring text, int type) {
    DecodeDrawingText(text, static_cast<FontType>(type));
    return text;
}
std::wstring Encoded(std::wstring text, int type, std::vector<unsigned char> mask = {}) {
    EncodeDrawingText(text, static_cast<FontType>(type), mask);
    return text;
}
std::wstring Converted(std::wstring text, const wchar_t* target, std::int32_t ltr) {
    EXPECT_EQ(ConvertForTarget(text, target, ltr), 1);
    return text;
}

const std::wstring kAlefBet = Bytes({0xE0, 0xE1}), kAlefBetGimel = kAlefBet + Bytes({0xE2});
const std::wstring kShalom = Bytes({0xF9, 0xEC, 0xE5, 0xED});  // שלום, logical
const std::wstring kDosGimelBetAlef = Bytes({0x82, 0x81, 0x80});

// Font types 0 Hebrew Normal (DOS letters, left to right), 1 and 3 7-bit
// keys (right to left; one path, so 1 stands for both), 4 d2w (Windows
// letters, left to right).
TEST(DrawingText, EachFontTypeStoresTheLogicalTextAsItsFontExpects) {
    const struct {
        int type;
        std::wstring logical, stored;
    } cases[] = {
        {0, kShalom + L" 123", L"123 " + Bytes({0x8D, 0x85, 0x8C, 0x99})},
        {4, kShalom + L" 123", L"123 " + Bytes({0xED, 0xE5, 0xEC, 0xF9})},
        // Latin between Hebrew words keeps its own order inside the listing.
        {0, kAlefBet + L" abc " + Bytes({0xE2}), Bytes({0x82}) + L" abc " + Bytes({0x81, 0x80})},
        {4, kAlefBet + L" abc " + Bytes({0xE2}), Bytes({0xE2}) + L" abc " + Bytes({0xE1, 0xE0})},
        {1, kShalom + L" 123", L"akuo 321"},
        {0, L"abc 123 (x)", L"abc 123 (x)"},
        {0, L"", L""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Encoded(c.logical, c.type), c.stored) << c.type;
        EXPECT_EQ(Decoded(c.stored, c.type), c.logical) << c.type;
    }
    // Unknown encodes into the right-to-left listing and never decodes.
    EXPECT_EQ(Encoded(kShalom + L" 123", 255), kShalom + L" 321");
    EXPECT_EQ(Decoded(kShalom + L" 321", 255), kShalom + L" 321");
    // Windows letters are no DOS letters: Hebrew Normal leaves them.
    EXPECT_EQ(Decoded(Bytes({0xE0, 0xE1}), 0), Bytes({0xE0, 0xE1}));
}

TEST(DrawingText, TypesThatKeepTheTextDoNotEvenReorderIt) {
    const std::wstring text = L"123 " + Bytes({0x8D, 0xE0, 0x80}) + L" %%128 tcd (x)";
    for (int type : {2, 5, 6, 7, -1, 254, 256, 1000}) {
        EXPECT_EQ(Encoded(text, type), text) << type;
        EXPECT_EQ(Decoded(text, type), text) << type;
    }
    EXPECT_EQ(Decoded(text, 255), text);
}

TEST(DrawingText, EscapesAreDecodedBesideHebrewAndAlwaysInSevenBitText) {
    EXPECT_EQ(Decoded(std::wstring(1, Dos(1)) + L"%%128", 0), Bytes({0xE0, 0xE1}));
    EXPECT_EQ(Decoded(L"%%128", 0), L"%%128");
    EXPECT_EQ(Decoded(L"%%128", 4), L"%%128");  // d2w has no escapes
    EXPECT_EQ(Decoded(L"%%128", 1), std::wstring(1, Win(0)));
    EXPECT_EQ(Decoded(L"%%154", 3), std::wstring(1, Win(26)));
    // Out of range: the escape stays, read back as a right-to-left listing.
    EXPECT_EQ(Decoded(L"%%127", 1), L"721%%");
    // A Unicode escape counts as Hebrew: the DOS escape goes, shortening the text.
    const std::wstring unicode = Decoded(L"\\U+05D0 %%128", 0);
    EXPECT_EQ(unicode.find(L"%%"), std::wstring::npos);
    EXPECT_NE(unicode.find(Win(0)), std::wstring::npos);
    EXPECT_EQ(unicode.size(), 9u);
}

TEST(DrawingText, TextEndsAtItsFirstNul) {
    const std::wstring tail = std::wstring(1, L'\0') + L"tail";
    EXPECT_EQ(Decoded(Bytes({0x81, 0x80}) + tail, 0), Bytes({0xE0, 0xE1}));
    EXPECT_EQ(Decoded(Bytes({0x81, 0x80}) + tail, 5), Bytes({0x81, 0x80}) + tail);
    EXPECT_EQ(Encoded(kAlefBetGimel + tail, 4), Bytes({0xE2, 0xE1, 0xE0}));
    for (int type : {0, 1, 3, 4, 255}) EXPECT_EQ(Encoded(L"", type), L"") << type;
}

TEST(DrawingText, NeutralTypedAsHebrewStaysRightToLeft) {
    // A full stop typed after Latin text goes with the Latin run, unless it
    // was typed with the Hebrew layout: then it closes the right-to-left line.
    EXPECT_EQ(Encoded(L"abc.", 255, Mask(L"llll")), L".cba");
    EXPECT_EQ(Encoded(L"abc.", 255, Mask(L"lllh")), L"cba.");
    // A blank typed as Hebrew splits two numbers into a right-to-left pair.
    EXPECT_EQ(Encoded(L"12 34", 255, Mask(L"lllll")), L"43 21");
    EXPECT_EQ(Encoded(L"12 34", 255, Mask(L"llhll")), L"21 43");
    EXPECT_EQ(Encoded(L"12 34", 4, Mask(L"llhll")), L"34 12");
    // Missing mask bytes count as not Hebrew, whatever the font type.
    EXPECT_EQ(Encoded(L"12 34", 255, {}), L"43 21");
    EXPECT_EQ(Encoded(L"12 34", 4, Mask(L"ll")), L"12 34");
}

TEST(ConvertForTarget, LogicalWindowsTextToDosInLeftToRightListingAndBack) {
    const std::wstring alefBlankA = Bytes({0xE0, 0x20}) + L"a";
    EXPECT_EQ(Converted(kAlefBetGimel, L"d", 0), kDosGimelBetAlef);
    EXPECT_EQ(Converted(alefBlankA, L"d", 0), L"a " + Bytes({0x80}));
    // A left-to-right paragraph is reversed once more at the end.
    EXPECT_EQ(Converted(alefBlankA, L"d", 1), Bytes({0x80, 0x20}) + L"a");
    EXPECT_EQ(Converted(kDosGimelBetAlef, L"W", 0), kAlefBetGimel);
    EXPECT_EQ(Converted(L"a " + Bytes({0x80}), L"w", 0), alefBlankA);
    EXPECT_EQ(Converted(Bytes({0x80, 0x20}) + L"a", L"w", 1), alefBlankA);
    for (const std::wstring& text : {kAlefBetGimel, kShalom + L" 123", alefBlankA + L"b"})
        EXPECT_EQ(Converted(Converted(text, L"d", 0), L"w", 0), text);
}

TEST(ConvertForTarget, AnyTargetButWIsDosAndTextsOfTheOtherLayoutStay) {
    for (const wchar_t* target : {L"D", L"x", L"", L"ww"})
        EXPECT_EQ(Converted(kAlefBetGimel, target, 0), kDosGimelBetAlef) << target;
    EXPECT_EQ(Converted(L"abc 12", L"d", 0), L"abc 12");
    EXPECT_EQ(Converted(Bytes({0x80, 0x81}), L"d", 0), Bytes({0x80, 0x81}));
    EXPECT_EQ(Converted(kAlefBetGimel, L"w", 0), kAlefBetGimel);
    EXPECT_EQ(Converted(L"%%128", L"w", 0), L"%%128");
    EXPECT_EQ(Converted(Bytes({0x81}) + L"%%128", L"w", 0), Bytes({0xE0, 0xE1}));
}

TEST(ConvertForTarget, BufferFormConvertsInPlaceAndNullIsASuccess) {
    std::wstring text = kAlefBetGimel;
    EXPECT_EQ(ConvertForTarget(text.data(), nullptr, 0), 1);
    EXPECT_EQ(text, kDosGimelBetAlef);
    wchar_t buffer[] = L"\x81%%128xy";  // the escape shortens the text
    EXPECT_EQ(ConvertForTarget(buffer, L"w", 0), 1);
    EXPECT_EQ(std::wstring(buffer), Converted(Bytes({0x81, 0x80}) + L"xy", L"w", 0));
    EXPECT_EQ(ConvertForTarget(static_cast<wchar_t*>(nullptr), L"w", 0), 1);
}

}  // namespace
}  // namespace tarsil::hebrew
