#include <gtest/gtest.h>

#include <climits>

#include "fonts/font_type_names.h"
#include "fonts/wide_text.h"

namespace tarsil {

TEST(FontTypeNames, NameEveryValueAndReadBackIgnoringCase) {
    const std::pair<int, const wchar_t*> names[] = {{0, L"Hebrew Normal"},
                                                    {1, L"Hebrew 7 Bit"},
                                                    {2, L"Hebrew Backward"},
                                                    {3, L"Hebrew 7 Bit Backward"},
                                                    {4, L"d2w"},
                                                    {5, L"As is"},
                                                    {255, L"Unknown"}};
    for (const auto& [value, name] : names) {
        EXPECT_EQ(FontTypeName(static_cast<FontType>(value)), name);
        EXPECT_EQ(static_cast<int>(FontTypeFromName(name)), value) << name;
    }
    EXPECT_EQ(FontTypeFromName(L"hebrew backward"), FontType::HebrewBackward);
    EXPECT_EQ(FontTypeFromName(L"D2W"), FontType::D2w);
    EXPECT_EQ(FontTypeFromName(L"UNKNOWN"), FontType::Unknown);
}

TEST(FontTypeNames, AnythingElseIsHebrewNormal) {
    for (int value : {6, 7, -1, 254, 256, 1000})
        EXPECT_EQ(FontTypeName(static_cast<FontType>(value)), L"Hebrew Normal") << value;
    for (const wchar_t* name : {L"Hebrew", L"", L"As is ", L"5"})
        EXPECT_EQ(FontTypeFromName(name), FontType::HebrewNormal) << name;
}

TEST(ParseIntLikeAtoi, ReadsSignAndDigitsAfterWhiteSpaceAndClamps) {
    const std::pair<const wchar_t*, int> cases[] = {{L"5", 5},
                                                    {L"  \t-12x", -12},
                                                    {L"+7", 7},
                                                    {L"2 ; comment", 2},
                                                    {L"", 0},
                                                    {L"Hebrew Normal", 0},
                                                    {L"-", 0},
                                                    {L"x12", 0},
                                                    {L"99999999999999999999", INT_MAX},
                                                    {L"-99999999999999999999", INT_MIN},
                                                    {L"-2147483648", INT_MIN}};
    for (const auto& [text, value] : cases) EXPECT_EQ(ParseIntLikeAtoi(text), value) << text;
}

TEST(CompareIgnoreCase, FoldsOnlyAsciiLetters) {
    EXPECT_TRUE(EqualsIgnoreCase(L"RomanS", L"romans"));
    EXPECT_TRUE(EqualsIgnoreCase(L"AZ", L"az"));
    // Shorter, non-ASCII, and the characters just outside the letter ranges.
    for (const auto& [a, b] :
         {std::pair{L"roman", L"romans"}, {L"\u00c0", L"\u00e0"}, {L"@", L"`"}, {L"[", L"{"}})
        EXPECT_FALSE(EqualsIgnoreCase(a, b)) << a;
    EXPECT_LT(CompareIgnoreCase(L"a", L"B"), 0);
    // A name sorts before the longer names it begins.
    EXPECT_LT(CompareIgnoreCase(L"Roman", L"romans"), 0);
    EXPECT_GT(CompareIgnoreCase(L"romans", L"ROMAN"), 0);
}

TEST(ByteText, EveryByteRoundTripsAndWideCharactersBecomeQuestionMarks) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    const std::wstring wide = WidenBytes(all);
    EXPECT_EQ(wide[0xE0], L'\u00e0');
    EXPECT_EQ(NarrowBytes(wide), all);
    EXPECT_EQ(NarrowBytes(L"a\u05d0b"), "a?b");
}

}  // namespace tarsil
