#include <gtest/gtest.h>

#include "fonts/font_type_names.h"

namespace tarsil {

TEST(FontTypeName, NamesEveryValueOfTheTable) {
    EXPECT_EQ(FontTypeName(FontType::HebrewNormal), L"Hebrew Normal");
    EXPECT_EQ(FontTypeName(FontType::Hebrew7Bit), L"Hebrew 7 Bit");
    EXPECT_EQ(FontTypeName(FontType::HebrewBackward), L"Hebrew Backward");
    EXPECT_EQ(FontTypeName(FontType::Hebrew7BitBackward), L"Hebrew 7 Bit Backward");
    EXPECT_EQ(FontTypeName(FontType::D2w), L"d2w");
    EXPECT_EQ(FontTypeName(FontType::AsIs), L"As is");
    EXPECT_EQ(FontTypeName(FontType::Unknown), L"Unknown");
}

TEST(FontTypeName, ValuesOutsideTheTableShowAsHebrewNormal) {
    for (int value : {6, 7, -1, 254, 256, 1000}) {
        EXPECT_EQ(FontTypeName(static_cast<FontType>(value)), L"Hebrew Normal") << value;
    }
}

TEST(FontTypeFromName, IgnoresCaseAndRoundTripsEveryName) {
    for (const auto& entry : kFontTypeNames) {
        EXPECT_EQ(FontTypeFromName(entry.name), entry.type);
    }
    EXPECT_EQ(FontTypeFromName(L"hebrew backward"), FontType::HebrewBackward);
    EXPECT_EQ(FontTypeFromName(L"D2W"), FontType::D2w);
    EXPECT_EQ(FontTypeFromName(L"UNKNOWN"), FontType::Unknown);
}

TEST(FontTypeFromName, AnyOtherTextGivesHebrewNormal) {
    EXPECT_EQ(FontTypeFromName(L"Hebrew"), FontType::HebrewNormal);
    EXPECT_EQ(FontTypeFromName(L""), FontType::HebrewNormal);
    EXPECT_EQ(FontTypeFromName(L"As is "), FontType::HebrewNormal);
    EXPECT_EQ(FontTypeFromName(L"5"), FontType::HebrewNormal);
}

TEST(FontTypeNames, OnlyTheFirstSixAreOfferedAndUnknownIs255) {
    EXPECT_EQ(kSelectableFontTypeCount, 6u);
    EXPECT_EQ(static_cast<int>(kFontTypeNames[kSelectableFontTypeCount].type), 255);
}

}  // namespace tarsil
