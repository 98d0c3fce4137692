// Font maps: read from their files, looked up, and the names in them
// (bytes as before, UTF-8 where bytes can't hold them).
#include "fonts/font_map.h"

#include <gtest/gtest.h>

#include "fonts/font_name_text.h"
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
        "c=Hebrew Backward\ne=-3\nx=1\nx=4\n"
        // A name in Hebrew letters stands in UTF-8, one of code page bytes as bytes.
        "\xd7\x93\xd7\x95\xd7\x93=4\r\n\xe0\xe1=2\r\n[FontMapping]\nsecond=4\n");
    const FontMap expected{{L"romans", FontType::AsIs},
                           {L"hebnorm", FontType::HebrewNormal},
                           {L"c", FontType::HebrewNormal},
                           {L"e", static_cast<FontType>(-3)},  // passed through unchanged
                           {L"x", FontType::D2w},              // the later value of a key
                           {L"\u05d3\u05d5\u05d3", FontType::D2w},
                           {L"\u00e0\u00e1", FontType::HebrewBackward}};
    EXPECT_EQ(map, expected);
    EXPECT_TRUE(Load("").empty());
    EXPECT_TRUE(Load("[Other]\na=1\n").empty());
    // Case variants are separate entries read ignoring case: both take the later value.
    EXPECT_EQ(Load("[FontMapping]\nromans=2\nRomans=1\n"),
              (FontMap{{L"romans", FontType::Hebrew7Bit}, {L"Romans", FontType::Hebrew7Bit}}));
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

// How two names compare is CompareIgnoreCase's to check.
TEST(FindFontTypeIn, TakesTheFirstInNameOrderThatMatches) {
    // Upper case sorts first, so "Romans" is found before "romans"
    // whichever way the name is asked for.
    const FontMap map{{L"romans", FontType::HebrewBackward}, {L"Romans", FontType::AsIs}};
    EXPECT_EQ(FindFontTypeIn(map, L"ROMANS"), FontType::AsIs);
    EXPECT_EQ(FindFontTypeIn(map, L"romans"), FontType::AsIs);
    EXPECT_EQ(FindFontTypeIn(map, L"roman"), FontType::Unknown);
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

TEST(FontNameText, EveryNameComesBackAsItWentOut) {
    struct Case {
        const char* what;
        std::wstring name;
        std::wstring file_text;  // empty: the name itself
    };
    const Case cases[] = {
        {"plain ASCII", L"romans", L""},
        {"code page bytes stay bytes", L"\u00e0\u00e1\u00e9font", L""},
        {"Hebrew letters in UTF-8", L"\u05d3\u05d5\u05d3", L"\u00d7\u0093\u00d7\u0095\u00d7\u0093"},
        {"mixed Latin-1 and Hebrew: all UTF-8", L"\u00e9\u05d0", L"\u00c3\u00a9\u00d7\u0090"},
        {"beyond the basic plane", L"a\U0001F600", L"a\u00f0\u009f\u0098\u0080"},
        // Bytes that would read as UTF-8 go out as UTF-8 so they come back.
        {"bytes that spell UTF-8", L"\u00c3\u00a9", L"\u00c3\u0083\u00c2\u00a9"},
        {"empty", L"", L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::wstring text = FontNameToFileText(c.name);
        EXPECT_EQ(text, c.file_text.empty() ? c.name : c.file_text);
        EXPECT_EQ(FontNameFromFileText(text), c.name);
    }
}

TEST(FontNameText, MalformedUtf8ReadsAsBytes) {
    const std::wstring cases[] = {
        L"\u00c3",                    // cut short
        L"\u00c0\u00af",              // overlong '/'
        L"\u00e0\u0090\u0080",        // overlong U+0400 in three bytes
        L"\u00ed\u00a0\u0080",        // a surrogate
        L"\u00f4\u0090\u0080\u0080",  // above U+10FFFF
        L"\u00d7x",                   // lead without its continuation
        L"\u0093",                    // a lone continuation byte
    };
    for (const std::wstring& text : cases) EXPECT_EQ(FontNameFromFileText(text), text);
}

}  // namespace tarsil
