#include "fonts/font_map.h"

#include <gtest/gtest.h>

#include "fonts/wh_config.h"
#include "tests/fonts/test_support.h"

namespace tarsil {

namespace fs = std::filesystem;

namespace {

class FontMapFile : public ::testing::Test {
  protected:
    FontMap Load(const std::string& bytes) {
        WriteBytes(path_, bytes);
        FontMap map{{L"stale", FontType::AsIs}};
        EXPECT_TRUE(LoadFontMap(path_, map));
        EXPECT_EQ(ReadBytes(path_), bytes);  // reading never rewrites the file
        return map;
    }
    TempFolder folder_;
    fs::path path_ = folder_ / "fonts.map";
};

}  // namespace

TEST_F(FontMapFile, ReadsTheFirstMappingSectionsNamesAndTheirNumbers) {
    const FontMap map = Load(
        "top\n[ FontMapping ]\nblank=1\n[fontmapping]\r\nromans=5\r\nhebnorm=0\r\n"
        "a=2 ; backward\nb=;5\nc=Hebrew Backward\nd\ne=-3\nx=1\nx=4\n"
        // A name in Hebrew letters stands in UTF-8, one of code page bytes as bytes.
        "\xd7\x93\xd7\x95\xd7\x93=4\r\n\xe0\xe1=2\r\n[FontMapping]\nsecond=4\n");
    const FontMap expected{{L"romans", FontType::AsIs},
                           {L"hebnorm", FontType::HebrewNormal},
                           {L"a", FontType::HebrewBackward},
                           {L"b", FontType::HebrewNormal},
                           {L"c", FontType::HebrewNormal},
                           {L"d", FontType::HebrewNormal},
                           {L"e", static_cast<FontType>(-3)},  // passed through unchanged
                           {L"x", FontType::D2w},              // the later value of a key
                           {L"\u05d3\u05d5\u05d3", FontType::D2w},
                           {L"\u00e0\u00e1", FontType::HebrewBackward}};
    EXPECT_EQ(map, expected);
    EXPECT_TRUE(Load("").empty());
    EXPECT_TRUE(Load("[Other]\na=1\n").empty());
}

TEST_F(FontMapFile, CaseVariantsAreSeparateEntriesReadAlike) {
    // The file is read ignoring case: both names take the later value.
    const FontMap map = Load("[FontMapping]\nromans=2\nRomans=1\n");
    EXPECT_EQ(map, (FontMap{{L"romans", FontType::Hebrew7Bit}, {L"Romans", FontType::Hebrew7Bit}}));
}

TEST_F(FontMapFile, MissingFileIsCreatedEmptyAndUnopenableFileEmptiesTheMap) {
    const fs::path missing = folder_ / "missing.map";
    FontMap map{{L"stale", FontType::AsIs}};
    EXPECT_TRUE(LoadFontMap(missing, map));
    EXPECT_TRUE(map.empty());
    EXPECT_EQ(ReadBytes(missing), "");
    EXPECT_TRUE(fs::exists(missing));

    map[L"stale"] = FontType::AsIs;
    WriteBytes(folder_ / "file", "");
    EXPECT_FALSE(LoadFontMap(folder_ / "file" / "x.map", map));
    EXPECT_TRUE(map.empty());
}

TEST(FindFontTypeIn, ComparesWholeNamesIgnoringCaseAndTakesTheFirstInNameOrder) {
    // Upper case sorts first, so "Romans" is found before "romans"
    // whichever way the name is asked for.
    const FontMap map{{L"romans", FontType::HebrewBackward},
                      {L"Romans", FontType::AsIs},
                      {L"dir/heb", FontType::D2w}};
    EXPECT_EQ(FindFontTypeIn(map, L"ROMANS"), FontType::AsIs);
    EXPECT_EQ(FindFontTypeIn(map, L"romans"), FontType::AsIs);
    EXPECT_EQ(FindFontTypeIn(map, L"roman"), FontType::Unknown);
    EXPECT_EQ(FindFontTypeIn(map, L"romans.shx"), FontType::Unknown);
    EXPECT_EQ(FindFontTypeIn(map, L"heb"), FontType::Unknown);
    EXPECT_EQ(FindFontTypeIn(map, L"DIR/HEB"), FontType::D2w);
    EXPECT_EQ(FindFontTypeIn(FontMap{}, L"romans"), FontType::Unknown);
}

TEST(LoadFontMaps, FillsTheCurrentAndTheDefaultMapFromTheConfiguredPaths) {
    TempFolder folder;
    CWhConfig& config = CWhConfig::Instance();
    config.SetModuleFile(folder / "tarsil2.arx", nullptr);
    WriteBytes(config.GetDefaultFontMapPath(), "[FontMapping]\nromans=5\nhebnorm=0\n");
    const fs::path current = folder / "mine.map";
    WriteBytes(current, "[FontMapping]\nromans=1\n");
    config.SetCurrentFontMapPath(current);

    LoadFontMaps();
    EXPECT_EQ(FindFontType(L"ROMANS"), FontType::Hebrew7Bit);
    EXPECT_EQ(FindFontType(L"hebnorm"), FontType::Unknown);
    EXPECT_EQ(FindDefaultFontType(L"romans"), FontType::AsIs);
    EXPECT_EQ(FindDefaultFontType(L"hebnorm"), FontType::HebrewNormal);

    // A current map that can't be opened empties it; the default still loads.
    WriteBytes(folder / "plain", "");
    config.SetCurrentFontMapPath(folder / "plain" / "x.map");
    WriteBytes(config.GetDefaultFontMapPath(), "[FontMapping]\nhebnorm=0\n");
    LoadFontMaps();
    EXPECT_TRUE(CurrentFontMap().empty());
    EXPECT_EQ(FindDefaultFontType(L"romans"), FontType::Unknown);
    EXPECT_EQ(FindDefaultFontType(L"hebnorm"), FontType::HebrewNormal);
    CWhConfig::DestroyInstance();
}

TEST(LoadFontMaps, BundledDefaultMapReadsAsShipped) {
    FontMap map;
    ASSERT_TRUE(LoadFontMap(fs::path(TARSIL_SOURCE_DIR) / "resources/default.map", map));
    const FontMap expected{
        {L"asis", FontType::AsIs},          {L"heb7back", FontType::Hebrew7BitBackward},
        {L"heb7bit", FontType::Hebrew7Bit}, {L"hebback", FontType::HebrewBackward},
        {L"hebd2w", FontType::D2w},         {L"hebnorm", FontType::HebrewNormal},
        {L"romans", FontType::AsIs}};
    EXPECT_EQ(map, expected);
}

}  // namespace tarsil
