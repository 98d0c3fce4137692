#include <gtest/gtest.h>

#include <climits>

#include "fonts/font_type_names.h"
#include "fonts/wide_text.h"

namespace tarsil {

// The names themselves are what the font map page shows; here how a name
// is read back and what has none.
TEST(FontTypeNames, ReadBackIgnoringCaseAndAnythingElseIsHebrewNormal) {
    EXPECT_EQ(FontTypeFromName(L"hebrew 7 BIT backward"), FontType::Hebrew7BitBackward);
    EXPECT_EQ(FontTypeFromName(L"D2W"), FontType::D2w);
    EXPECT_EQ(FontTypeFromName(L"UNKNOWN"), FontType::Unknown);
    EXPECT_EQ(FontTypeName(FontType::Unknown), L"Unknown");
    for (int value : {6, 7, -1, 254, 256, 1000})
        EXPECT_EQ(FontTypeName(static_cast<FontType>(value)), L"Hebrew Normal") << value;
    for (const wchar_t* name : {L"Hebrew", L"", L"As is ", L"5"})
        EXPECT_EQ(FontTypeFromName(name), FontType::HebrewNormal) << name;
}

TEST(ParseIntLikeAtoi, ReadsSignAndDigitsAfterWhiteSpaceAndClamps) {
    const std::pair<const wchar_t*, int> cases[] = {{L"5", 5},
                                                    {L"  \t-12x", -12},
                                                    {L"+7", 7},
                                                    {L"", 0},
                                                    {L"-", 0},
                                                    {L"x12", 0},
                                                    {L"99999999999999999999", INT_MAX},
                                                    {L"-99999999999999999999", INT_MIN},
                                                    {L"-2147483648", INT_MIN}};
    for (const auto& [text, value] : cases) EXPECT_EQ(ParseIntLikeAtoi(text), value) << text;
}

TEST(CompareIgnoreCase, FoldsOnlyAsciiLetters) {
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

}  // namespace tarsil
