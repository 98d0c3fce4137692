#include "fonts/wide_text.h"

#include <gtest/gtest.h>

#include <climits>

namespace tarsil {

TEST(ParseIntLikeAtoi, ReadsSignAndDigitsAfterWhiteSpace) {
    EXPECT_EQ(ParseIntLikeAtoi(L"5"), 5);
    EXPECT_EQ(ParseIntLikeAtoi(L"  \t-12x"), -12);
    EXPECT_EQ(ParseIntLikeAtoi(L"+7"), 7);
    EXPECT_EQ(ParseIntLikeAtoi(L"2 ; comment"), 2);
}

TEST(ParseIntLikeAtoi, TextWithoutLeadingDigitsIsZero) {
    EXPECT_EQ(ParseIntLikeAtoi(L""), 0);
    EXPECT_EQ(ParseIntLikeAtoi(L"Hebrew Normal"), 0);
    EXPECT_EQ(ParseIntLikeAtoi(L"-"), 0);
    EXPECT_EQ(ParseIntLikeAtoi(L"x12"), 0);
}

TEST(ParseIntLikeAtoi, ClampsOutOfRange) {
    EXPECT_EQ(ParseIntLikeAtoi(L"99999999999999999999"), INT_MAX);
    EXPECT_EQ(ParseIntLikeAtoi(L"-99999999999999999999"), INT_MIN);
    EXPECT_EQ(ParseIntLikeAtoi(L"-2147483648"), INT_MIN);
}

TEST(CompareIgnoreCase, FoldsOnlyAsciiLetters) {
    EXPECT_TRUE(EqualsIgnoreCase(L"RomanS", L"romans"));
    EXPECT_FALSE(EqualsIgnoreCase(L"roman", L"romans"));
    EXPECT_FALSE(EqualsIgnoreCase(L"\u00c0", L"\u00e0"));
    EXPECT_LT(CompareIgnoreCase(L"a", L"B"), 0);
    // The ends of the letter ranges, and the characters just outside them.
    EXPECT_TRUE(EqualsIgnoreCase(L"AZ", L"az"));
    EXPECT_FALSE(EqualsIgnoreCase(L"@", L"`"));
    EXPECT_FALSE(EqualsIgnoreCase(L"[", L"{"));
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
