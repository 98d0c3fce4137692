// MText contents and dimension overrides to editor text and back: the
// codec converts the words, the codes keep their bytes.
#include "hebrew/mtext/mtext_contents.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/codec/codec_test_support.h"

namespace tarsil::mtext {
namespace {

using hebrew::Dos;
using hebrew::Win;

std::wstring W(std::initializer_list<unsigned> letters) {
    std::wstring s;
    for (unsigned k : letters) s += Win(k);
    return s;
}
std::wstring D(std::initializer_list<unsigned> letters) {
    std::wstring s;
    for (unsigned k : letters) s += Dos(k);
    return s;
}

// Direction mask as the rich edit gives it: letters typed as Hebrew.
std::vector<unsigned char> TypedMask(const std::wstring& text) {
    std::vector<unsigned char> mask;
    for (wchar_t c : text) mask.push_back(c >= 0xE0 && c <= 0xFA ? 2 : 1);
    return mask;
}

// Letters: alef 0, bet 1, gimel 2, dalet 3, vav 5, lamed 12, final mem 13, shin 25.
const std::wstring kShalomStored = D({13, 5, 12, 25});  // Hebrew Normal: DOS, left end first
const std::wstring kShalom = W({25, 12, 5, 13});

TEST(MTextContents, CodesWrittenByACadProgramStayByteForByteAroundAnEditedWord) {
    const std::wstring stored = L"{\\fArial|b1;" + kShalomStored + L"}\\P\\Labc\\l";
    StoredRuns memory;
    const std::wstring text = DecodeContents(stored, FontType::HebrewNormal, &memory);
    // Read from the left end: the codes come in reverse order (the editor
    // hides them); the word reads right.
    EXPECT_EQ(text, L"}" + kShalom + L"\\fArial|b1;{\n\\Labc\\l");

    // Unchanged: the same bytes.
    EXPECT_EQ(EncodeContents(text, TypedMask(text), FontType::HebrewNormal, &memory), stored);

    // The word becomes alef bet: only the word's bytes change.
    std::wstring edited = text;
    edited.replace(1, kShalom.size(), W({0, 1}));
    EXPECT_EQ(EncodeContents(edited, TypedMask(edited), FontType::HebrewNormal, &memory),
              L"{\\fArial|b1;" + D({1, 0}) + L"}\\P\\Labc\\l");
}

TEST(MTextContents, ALeftToRightListingIsReadBackwardsAcrossItsCodes) {
    // Hebrew Normal lists the line from its left end: the last stored word
    // is the first the reader reads, whatever codes lie between.
    const std::wstring stored = L"\\L" + D({3, 2}) + L"\\l" + D({1, 0});
    StoredRuns memory;
    const std::wstring text = DecodeContents(stored, FontType::HebrewNormal, &memory);
    EXPECT_EQ(text, W({0, 1}) + L"\\l" + W({2, 3}) + L"\\L");
    EXPECT_EQ(EncodeContents(text, TypedMask(text), FontType::HebrewNormal, &memory), stored);
    // And so is a whole line that an earlier editor encoded codes and all.
    EXPECT_EQ(
        DecodeContents(L"}" + kShalomStored + L"\\A1;{\\H1.5x;", FontType::HebrewNormal, nullptr),
        L"\\H1.5x;{\\A1;" + kShalom + L"}");
}

TEST(MTextContents, EachColumnOfALineIsReadBackwardsOnItsOwn) {
    const std::wstring stored = D({1, 0}) + L"\\N{" + D({3, 2}) + L"}";
    const std::wstring text = DecodeContents(stored, FontType::HebrewNormal, nullptr);
    EXPECT_EQ(text, W({0, 1}) + L"\\N}" + W({2, 3}) + L"{");
    EXPECT_EQ(EncodeContents(text, TypedMask(text), FontType::HebrewNormal, nullptr), stored);
}

TEST(MTextContents, LinesWithoutHebrewKeepTheirOrder) {
    const std::wstring stored = L"{\\C1;abc} def\\P12";
    for (FontType type : {FontType::HebrewNormal, FontType::D2w, FontType::AsIs}) {
        const std::wstring text = DecodeContents(stored, type, nullptr);
        EXPECT_EQ(text, L"{\\C1;abc} def\n12") << static_cast<int>(type);
        EXPECT_EQ(EncodeContents(text, TypedMask(text), type, nullptr), stored);
    }
}

TEST(MTextContents, AnUnchangedWordKeepsTheBytesItWasReadWith) {
    // "%%128" is alef written as an escape: decoded to the letter, it would
    // be encoded as the plain DOS letter.
    const std::wstring stored = L"%%128" + D({1}) + L"\\P" + D({2});
    StoredRuns memory;
    const std::wstring text = DecodeContents(stored, FontType::HebrewNormal, &memory);
    EXPECT_EQ(text, W({1, 0}) + L"\n" + W({2}));
    EXPECT_EQ(EncodeContents(text, TypedMask(text), FontType::HebrewNormal, &memory), stored);
    EXPECT_EQ(EncodeContents(text, TypedMask(text), FontType::HebrewNormal, nullptr),
              D({0, 1}) + L"\\P" + D({2}));
}

TEST(MTextContents, CharactersBeyondTheByteRangeAreKept) {
    const std::wstring stored = kShalomStored + L"\u20AC";
    StoredRuns memory;
    const std::wstring text = DecodeContents(stored, FontType::HebrewNormal, &memory);
    EXPECT_EQ(text, L"\u20AC" + kShalom);
    const std::wstring typed = text + W({0});
    EXPECT_EQ(EncodeContents(typed, TypedMask(typed), FontType::HebrewNormal, &memory),
              D({0, 13, 5, 12, 25}) + L"\u20AC");
    // In a font that converts nothing, in place.
    EXPECT_EQ(EncodeContents(L"a\u05D0b\nc", TypedMask(L"a\u05D0b\nc"), FontType::AsIs, nullptr),
              L"a\u05D0b\\Pc");
}

TEST(MTextContents, EmptyParagraphsAreEmptyLinesAndBack) {
    const struct {
        const wchar_t* contents;
        const wchar_t* text;
    } cases[] = {
        {L"", L""},        {L"a\\P\\Pb", L"a\n\nb"}, {L"\\Pa", L"\na"},
        {L"a\\P", L"a\n"}, {L"\\P\\P", L"\n\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecodeContents(c.contents, FontType::AsIs, nullptr), c.text) << c.contents;
        EXPECT_EQ(EncodeContents(c.text, {}, FontType::AsIs, nullptr), c.contents) << c.contents;
    }
    // Carriage returns are dropped with their place in the mask.
    EXPECT_EQ(EncodeContents(L"a\r\nb", {}, FontType::AsIs, nullptr), L"a\\Pb");
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
    const DimensionEditText text = DecodeDimensionText(stored, FontType::HebrewNormal, &memory);
    EXPECT_EQ(text.upper, W({0, 1}) + L"\u00A7");
    EXPECT_EQ(EncodeDimensionText(text.upper, TypedMask(text.upper), L"", {},
                                  FontType::HebrewNormal, nullptr),
              stored);
    // A word typed below goes after "\X" in the font's own form.
    const std::wstring below = W({2, 3});
    EXPECT_EQ(EncodeDimensionText(text.upper, TypedMask(text.upper), below, TypedMask(below),
                                  FontType::HebrewNormal, &memory),
              stored + L"\\X" + D({3, 2}));
}

}  // namespace
}  // namespace tarsil::mtext
