// MText contents and dimension overrides to editor text and back: the
// codec converts the words, the codes keep their bytes.
#include "hebrew/mtext/mtext_contents.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/codec/codec_test_support.h"

namespace tarsil::mtext {
namespace {

// Letters by number (alef 0, bet 1, gimel 2, dalet 3, vav 5, lamed 12,
// final mem 13, shin 25) in the Windows and the DOS layout.
std::wstring W(std::initializer_list<unsigned> letters) {
    std::wstring s;
    for (unsigned k : letters) s += hebrew::Win(k);
    return s;
}
std::wstring D(std::initializer_list<unsigned> letters) {
    std::wstring s;
    for (unsigned k : letters) s += hebrew::Dos(k);
    return s;
}

using hebrew::TypedMask;  // as the rich edit gives it

constexpr FontType kNormal = FontType::HebrewNormal;
const std::wstring kShalomStored = D({13, 5, 12, 25});  // Hebrew Normal: DOS, left end first
const std::wstring kShalom = W({25, 12, 5, 13});

// Each stored contents decodes to the editor text, which encodes back to
// the same bytes, with and without the memory of what was read.
TEST(MTextContents, DecodeToTheEditorsTextAndEncodeBackByteForByte) {
    const struct {
        const char* what;
        FontType type;
        std::wstring stored, text;
    } cases[] = {
        // Hebrew Normal lists a line from its left end: read backwards, the
        // codes come in reverse order (the editor hides them).
        {"codes around a word", kNormal, L"{\\fArial|b1;" + kShalomStored + L"}\\P\\Labc\\l",
         L"}" + kShalom + L"\\fArial|b1;{\n\\Labc\\l"},
        {"words across codes", kNormal, L"\\L" + D({3, 2}) + L"\\l" + D({1, 0}),
         W({0, 1}) + L"\\l" + W({2, 3}) + L"\\L"},
        {"each column on its own", kNormal, D({1, 0}) + L"\\N{" + D({3, 2}) + L"}",
         W({0, 1}) + L"\\N}" + W({2, 3}) + L"{"},
        {"beyond the byte range", kNormal, kShalomStored + L"\u20AC", L"\u20AC" + kShalom},
        {"no Hebrew", kNormal, L"{\\C1;abc} def\\P12", L"{\\C1;abc} def\n12"},
        {"no Hebrew", FontType::AsIs, L"{\\C1;abc} def\\P12", L"{\\C1;abc} def\n12"},
        {"empty", FontType::AsIs, L"", L""},
        {"empty paragraphs", FontType::AsIs, L"a\\P\\Pb", L"a\n\nb"},
        {"only breaks", FontType::AsIs, L"\\P\\P", L"\n\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        StoredRuns memory;
        EXPECT_EQ(DecodeContents(c.stored, c.type, &memory), c.text);
        EXPECT_EQ(EncodeContents(c.text, TypedMask(c.text), c.type, &memory), c.stored);
        EXPECT_EQ(EncodeContents(c.text, TypedMask(c.text), c.type, nullptr), c.stored);
    }
    // A whole line that an earlier editor encoded codes and all.
    EXPECT_EQ(DecodeContents(L"}" + kShalomStored + L"\\A1;{\\H1.5x;", kNormal, nullptr),
              L"\\H1.5x;{\\A1;" + kShalom + L"}");
    // Carriage returns are dropped with their place in the mask.
    EXPECT_EQ(EncodeContents(L"a\r\nb", {}, FontType::AsIs, nullptr), L"a\\Pb");
}

TEST(MTextContents, OnlyTheEditedWordChangesItsBytes) {
    StoredRuns memory;
    const std::wstring stored = L"{\\fArial|b1;" + kShalomStored + L"}\\P\\Labc\\l";
    std::wstring edited = DecodeContents(stored, kNormal, &memory);
    edited.replace(1, kShalom.size(), W({0, 1}));
    EXPECT_EQ(EncodeContents(edited, TypedMask(edited), kNormal, &memory),
              L"{\\fArial|b1;" + D({1, 0}) + L"}\\P\\Labc\\l");

    // "%%128" is alef as an escape: unchanged it keeps those bytes; without
    // the memory it is written as the plain DOS letter.
    const std::wstring escaped = L"%%128" + D({1}) + L"\\P" + D({2});
    const std::wstring text = DecodeContents(escaped, kNormal, &memory);
    EXPECT_EQ(text, W({1, 0}) + L"\n" + W({2}));
    EXPECT_EQ(EncodeContents(text, TypedMask(text), kNormal, &memory), escaped);
    EXPECT_EQ(EncodeContents(text, TypedMask(text), kNormal, nullptr), D({0, 1}) + L"\\P" + D({2}));

    // A letter typed beside a character beyond the byte range.
    DecodeContents(kShalomStored + L"\u20AC", kNormal, &memory);
    const std::wstring typed = L"\u20AC" + kShalom + W({0});
    EXPECT_EQ(EncodeContents(typed, TypedMask(typed), kNormal, &memory),
              D({0, 13, 5, 12, 25}) + L"\u20AC");
    // In a font that converts nothing, in place.
    EXPECT_EQ(EncodeContents(L"a\u05D0b\nc", TypedMask(L"a\u05D0b\nc"), FontType::AsIs, nullptr),
              L"a\u05D0b\\Pc");
}

TEST(DimensionText, TheMeasurementIsShownAsTheMarkAndWrittenBackAsBrackets) {
    const struct {
        const wchar_t* stored;
        const wchar_t* upper;
        const wchar_t* lower;
        const wchar_t* written;  // what writing the two edits back gives
    } cases[] = {
        {L"", L"\u00A7", L"", L"<>"},
        {L"<> mm", L"\u00A7 mm", L"", L"<> mm"},
        {L"a<>b<>", L"a\u00A7b\u00A7", L"", L"a<>b<>"},
        {L"up\\Xdown", L"up\n", L"down", L"up\\P\\Xdown"},
        {L"\\Xdown", L"\n", L"down", L"\\P\\Xdown"},
        {L"one\\Ptwo\\X<>\\Pthree", L"one\ntwo\n", L"\u00A7\nthree", L"one\\Ptwo\\P\\X<>\\Pthree"},
        {L"a\\\\Xb", L"a\\\\Xb", L"", L"a\\\\Xb"},  // an escaped backslash stacks nothing
    };
    for (const auto& c : cases) {
        const DimensionEditText text = DecodeDimensionText(c.stored, FontType::AsIs, nullptr);
        EXPECT_EQ(text.upper, c.upper) << c.stored;
        EXPECT_EQ(text.lower, c.lower) << c.stored;
        EXPECT_EQ(EncodeDimensionText(text.upper, {}, text.lower, {}, FontType::AsIs, nullptr),
                  c.written)
            << c.stored;
    }
    // Lower text alone; a lower edit emptied drops the "\X".
    EXPECT_EQ(EncodeDimensionText(L"", {}, L"x", {}, FontType::AsIs, nullptr), L"\\Xx");
    EXPECT_EQ(EncodeDimensionText(L"a", {}, L"", {}, FontType::AsIs, nullptr), L"a");
}

TEST(DimensionText, HebrewAroundTheMeasurementIsConvertedAndTheBracketsAreNot) {
    // Stored from the left end: the measurement, then alef bet.
    const std::wstring stored = L"<>" + D({1, 0});
    StoredRuns memory;
    const DimensionEditText text = DecodeDimensionText(stored, kNormal, &memory);
    EXPECT_EQ(text.upper, W({0, 1}) + L"\u00A7");
    EXPECT_EQ(EncodeDimensionText(text.upper, TypedMask(text.upper), L"", {}, kNormal, nullptr),
              stored);
    // A word typed below goes after "\X" in the font's own form.
    const std::wstring below = W({2, 3});
    EXPECT_EQ(EncodeDimensionText(text.upper, TypedMask(text.upper), below, TypedMask(below),
                                  kNormal, &memory),
              stored + L"\\X" + D({3, 2}));
}

}  // namespace
}  // namespace tarsil::mtext
