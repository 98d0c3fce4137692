// The font map page's working copy: read, changed and written back.
#include "fonts/config_dialog/font_map_list.h"

#include <gtest/gtest.h>

#include "tests/fonts/test_support.h"

namespace tarsil {

namespace fs = std::filesystem;

namespace {

class FontMapListTest : public ::testing::Test {
  protected:
    FontMapList Loaded(const std::string& bytes) {
        WriteBytes(path_, bytes);
        FontMapList list;
        EXPECT_TRUE(list.Load(path_));
        return list;
    }
    using Entries = std::vector<FontMapEntry>;

    TempFolder folder_;
    fs::path path_ = folder_ / "fonts.map";
};

constexpr auto kNormal = FontType::HebrewNormal;

}  // namespace

void PrintTo(const FontMapEntry& entry, std::ostream* out) {
    *out << '{' << std::string(entry.name.begin(), entry.name.end()) << ", "
         << static_cast<int>(entry.type) << '}';
}

TEST_F(FontMapListTest, LoadsNamesInLowerCaseSortedWithTypesAsWritten) {
    const FontMapList list =
        Loaded("[FontMapping]\r\nROMANS=2\r\nzed=9\r\nAbc=x\r\nabc=1\r\n[Other]\r\ny=1\r\n");
    // Both spellings of abc are kept (the file reads ignoring case, so
    // each takes the later value); 9 passes through.
    EXPECT_EQ(list.Entries(), (Entries{{L"abc", FontType::Hebrew7Bit},
                                       {L"abc", FontType::Hebrew7Bit},
                                       {L"romans", FontType::HebrewBackward},
                                       {L"zed", static_cast<FontType>(9)}}));
}

TEST_F(FontMapListTest, SavingRewritesTheSectionAtTheEndKeepingTheRestAndABackup) {
    const std::string old_file = "top\r\n[FontMapping]\r\nromans=2\r\n[Other]\r\nkeep=1\r\n";
    FontMapList list = Loaded(old_file);
    list.AddNames({L"\u05d3\u05d5\u05d3"});
    ASSERT_TRUE(list.SetType(0, FontType::AsIs));
    ASSERT_TRUE(list.Save(path_));
    EXPECT_EQ(ReadBytes(path_),
              "top=\r\n[Other]\r\nkeep=1\r\n[FontMapping]\r\nromans=5\r\n"
              "\xd7\x93\xd7\x95\xd7\x93=0\r\n");
    EXPECT_EQ(ReadBytes(folder_ / "fonts.map.001"), old_file);

    // Saved again unchanged: the file is left alone and no backup is made.
    ASSERT_TRUE(list.Save(path_));
    EXPECT_EQ(ReadBytes(folder_ / "fonts.map.001"), old_file);
    EXPECT_FALSE(fs::exists(folder_ / "fonts.map.002"));
    FontMapList again;
    ASSERT_TRUE(again.Load(path_));
    EXPECT_EQ(again.Entries(), list.Entries());
}

TEST_F(FontMapListTest, AddingNamesNeverMakesASecondEntryOfAName) {
    FontMapList list = Loaded("[FontMapping]\r\nromans=5\r\nmid=3\r\n");
    // New names join sorted; the row returned is the first name given.
    EXPECT_EQ(list.AddNames({L"ROMANS", L"aaa"}), 2);
    EXPECT_EQ(list.Entries(), (Entries{{L"aaa", kNormal},
                                       {L"mid", FontType::Hebrew7BitBackward},
                                       {L"romans", FontType::AsIs}}));
    EXPECT_EQ(list.AddNames({}), -1);

    // Missing fonts join at the end in the order found, typed as the
    // default map says, Hebrew Normal where it knows nothing.
    const auto defaults = [](std::wstring_view name) {
        return name == L"known" ? FontType::D2w : FontType::Unknown;
    };
    EXPECT_EQ(list.AddMissing({L"zz", L"Mid", L"known", L"zz"}, defaults), 2u);
    EXPECT_EQ(list.Entries()[3], (FontMapEntry{L"zz", kNormal}));
    EXPECT_EQ(list.Entries()[4], (FontMapEntry{L"known", FontType::D2w}));
    EXPECT_EQ(list.Size(), 5u);
}

TEST_F(FontMapListTest, RowsOutOfRangeAreLeftAloneAndAMissingFolderIsNotMade) {
    FontMapList list = Loaded("[FontMapping]\r\na=1\r\n");
    EXPECT_FALSE(list.SetType(3, FontType::AsIs));
    EXPECT_EQ(list.Rename(3, L"b"), std::make_pair(-1, false));
    list.Remove(3);
    EXPECT_EQ(list.Entries(), (Entries{{L"a", FontType::Hebrew7Bit}}));
    EXPECT_FALSE(list.Save(folder_ / "no" / "such.map"));
    EXPECT_FALSE(fs::exists(folder_ / "no"));
}

TEST(FontNameOfFile, TheFileNameWithoutFolderOrExtensionInLowerCase) {
    EXPECT_EQ(FontNameOfFile("/fonts/ROMANS.SHX"), L"romans");
    EXPECT_EQ(FontNameOfFile("/fonts.d/a.b.shx"), L"a.b");
    EXPECT_EQ(FontNameOfFile("/f/\xd7\x93\xd7\x95\xd7\x93.shx"), L"\u05d3\u05d5\u05d3");
}

}  // namespace tarsil
