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
        return map;
    }
    TempFolder folder_;
    fs::path path_ = folder_ / "fonts.map";
};

}  // namespace

TEST_F(FontMapFile, ReadsNamesAndTypesInNameOrder) {
    const FontMap map = Load("[FontMapping]\r\nromans=5\r\nhebnorm=0\r\nheb7bit=1\r\n");
    ASSERT_EQ(map.size(), 3u);
    auto it = map.begin();
    EXPECT_EQ(it->first, L"heb7bit");
    EXPECT_EQ((++it)->first, L"hebnorm");
    EXPECT_EQ(map.at(L"romans"), FontType::AsIs);
}

TEST_F(FontMapFile, CaseVariantsAreSeparateEntriesReadAlike) {
    const FontMap map = Load("[FontMapping]\nromans=2\nRomans=1\n");
    EXPECT_EQ(map.size(), 2u);
    // The file is read ignoring case: both names take the later value.
    EXPECT_EQ(map.at(L"romans"), FontType::Hebrew7Bit);
    EXPECT_EQ(map.at(L"Romans"), FontType::Hebrew7Bit);
}

TEST(FontMapLookup, CaseVariantsWithDifferentTypesGiveTheFirstInNameOrder) {
    // Upper case sorts first, so "Romans" is found before "romans"
    // whichever way the name is asked for.
    const FontMap map{{L"romans", FontType::HebrewBackward}, {L"Romans", FontType::AsIs}};
    EXPECT_EQ(FindFontTypeIn(map, L"ROMANS"), FontType::AsIs);
    EXPECT_EQ(FindFontTypeIn(map, L"romans"), FontType::AsIs);
    EXPECT_EQ(FindFontTypeIn(map, L"roman"), FontType::Unknown);
}

TEST_F(FontMapFile, ValuesReadLikeAtoiAfterTheCommentIsCut) {
    const FontMap map = Load("[FontMapping]\na=2 ; backward\nb=;5\nc=Hebrew Backward\nd\ne=-3\n");
    EXPECT_EQ(map.at(L"a"), FontType::HebrewBackward);
    EXPECT_EQ(map.at(L"b"), FontType::HebrewNormal);
    EXPECT_EQ(map.at(L"c"), FontType::HebrewNormal);
    EXPECT_EQ(map.at(L"d"), FontType::HebrewNormal);
    EXPECT_EQ(static_cast<int>(map.at(L"e")), -3);  // passes through unchanged
}

TEST_F(FontMapFile, RepeatedKeyTakesItsLaterValue) {
    EXPECT_EQ(Load("[FontMapping]\nx=1\nx=4\n").at(L"x"), FontType::D2w);
}

TEST_F(FontMapFile, OnlyTheFirstMappingSectionIsReadAndBlanksInTheHeaderMatter) {
    const FontMap map =
        Load("[ FontMapping ]\nblank=1\n[fontmapping]\nfirst=3\n[FontMapping]\nsecond=4\n");
    EXPECT_EQ(map.size(), 1u);
    EXPECT_EQ(map.count(L"first"), 1u);
}

TEST_F(FontMapFile, EmptyFileGivesAnEmptyMap) {
    EXPECT_TRUE(Load("").empty());
    EXPECT_TRUE(Load("[Other]\na=1\n").empty());
}

TEST_F(FontMapFile, MissingFileIsCreatedEmptyAndUnopenableFileEmptiesTheMap) {
    const fs::path missing = folder_ / "missing.map";
    FontMap map{{L"stale", FontType::AsIs}};
    EXPECT_TRUE(LoadFontMap(missing, map));
    EXPECT_TRUE(map.empty());
    EXPECT_TRUE(fs::exists(missing));
    EXPECT_EQ(fs::file_size(missing), 0u);

    map[L"stale"] = FontType::AsIs;
    WriteBytes(folder_ / "file", "");
    EXPECT_FALSE(LoadFontMap(folder_ / "file" / "x.map", map));
    EXPECT_TRUE(map.empty());
}

TEST_F(FontMapFile, LoadingDoesNotRewriteTheFile) {
    const std::string bytes = "top\n[FontMapping]\nromans=5\n";
    Load(bytes);
    EXPECT_EQ(ReadBytes(path_), bytes);
}

TEST(FindFontTypeIn, ComparesTheWholeNameOnly) {
    const FontMap map{{L"romans", FontType::AsIs}, {L"dir/heb", FontType::D2w}};
    EXPECT_EQ(FindFontTypeIn(map, L"RomanS"), FontType::AsIs);
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
    EXPECT_EQ(FindFontType(L"romans"), FontType::Unknown);
    EXPECT_EQ(FindDefaultFontType(L"romans"), FontType::Unknown);
    EXPECT_EQ(FindDefaultFontType(L"hebnorm"), FontType::HebrewNormal);
    CWhConfig::DestroyInstance();
}

TEST(LoadFontMaps, BundledDefaultMapReadsAsShipped) {
    FontMap map;
    ASSERT_TRUE(LoadFontMap(fs::path(TARSIL_SOURCE_DIR) / "resources/default.map", map));
    EXPECT_EQ(map.size(), 7u);
    EXPECT_EQ(map.at(L"heb7back"), FontType::Hebrew7BitBackward);
    EXPECT_EQ(map.at(L"hebd2w"), FontType::D2w);
    EXPECT_EQ(FindFontTypeIn(map, L"ROMANS"), FontType::AsIs);
}

}  // namespace tarsil
