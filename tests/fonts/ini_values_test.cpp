#include <gtest/gtest.h>

#include <memory>

#include "fonts/ini_file.h"
#include "tests/fonts/test_support.h"

namespace tarsil {

namespace {

// Opens a file with the given contents; the case flag under test.
class IniValues : public ::testing::Test {
  protected:
    void Load(const std::string& bytes, bool ignore_case) {
        WriteBytes(path_, bytes);
        owned_ = std::make_unique<HIniEx>();
        ASSERT_TRUE(owned_->Open(path_, false, false, ignore_case, false));
    }
    TempFolder folder_;
    std::filesystem::path path_ = folder_ / "v.ini";
    std::unique_ptr<HIniEx> owned_;
    HIniEx& ini() { return *owned_; }
};

}  // namespace

TEST_F(IniValues, GetValueTakesTheLastOccurrenceInTheFirstMatchingSection) {
    Load("[S]\nk=1\nk=2\n[S]\nk=3\nonly=4\n", false);
    EXPECT_EQ(ini().GetValue(L"S", L"k", L"-"), L"2");
    EXPECT_EQ(ini().GetValue(L"S", L"only", L"-"), L"-");
    EXPECT_EQ(ini().GetValue(L"Missing", L"k", L"dflt"), L"dflt");
}

TEST_F(IniValues, GetValueCutsFromTheLastSemicolonAndDoesNotTrim) {
    Load("[S]\na=2 ; two\nb=;5\nc=x;y;z\nd= v \n", false);
    EXPECT_EQ(ini().GetValue(L"S", L"a", L""), L"2 ");
    EXPECT_EQ(ini().GetValue(L"S", L"b", L"-"), L"");
    EXPECT_EQ(ini().GetValue(L"S", L"c", L""), L"x;y");
    EXPECT_EQ(ini().GetValue(L"S", L"d", L""), L" v");  // trailing blank went at read
}

TEST_F(IniValues, CaseMattersOnlyWithoutTheIgnoreCaseFlag) {
    Load("[General]\nKey=v\n", false);
    EXPECT_EQ(ini().GetValue(L"general", L"Key", L"-"), L"-");
    EXPECT_EQ(ini().GetValue(L"General", L"KEY", L"-"), L"-");
    EXPECT_TRUE(ini().GetKeys(L"GENERAL").empty());
    EXPECT_FALSE(ini().DeleteSection(L"general"));

    Load("[General]\nKey=v\n", true);
    EXPECT_EQ(ini().GetValue(L"general", L"KEY", L"-"), L"v");
    EXPECT_EQ(ini().GetKeys(L"GENERAL"), std::vector<std::wstring>{L"Key"});
    EXPECT_TRUE(ini().DeleteSection(L"general"));
}

TEST_F(IniValues, GetKeysListsDuplicatesInFileOrder) {
    Load("[S]\nb=1\na=2\nb=3\n", false);
    EXPECT_EQ(ini().GetKeys(L"S"), (std::vector<std::wstring>{L"b", L"a", L"b"}));
    EXPECT_TRUE(ini().GetKeys(L"T").empty());
}

TEST_F(IniValues, SetValueAppendsMissingSectionsAndKeys) {
    Load("[S]\na=1\n", false);
    ini().SetValue(L"S", L"b", L"2");
    ini().SetValue(L"New", L"c", L"3");
    EXPECT_TRUE(ini().IsModified());
    ASSERT_EQ(ini().Sections().size(), 3u);
    EXPECT_EQ(ini().Sections()[2].name, L"New");
    EXPECT_EQ(ini().GetKeys(L"S"), (std::vector<std::wstring>{L"a", L"b"}));
    EXPECT_EQ(ini().GetValue(L"New", L"c", L""), L"3");
}

TEST_F(IniValues, SetValueReplacesTheLastOccurrence) {
    Load("[S]\nk=1\nk=2\n", false);
    ini().SetValue(L"S", L"k", L"9");
    EXPECT_EQ(ini().Sections()[1].entries[0].value, L"1");
    EXPECT_EQ(ini().Sections()[1].entries[1].value, L"9");
}

TEST_F(IniValues, SameValueIsNoChangeAndCaseOnlyChangeFollowsTheFlag) {
    Load("[S]\nk=Value\n", false);
    ini().SetValue(L"S", L"k", L"Value");
    EXPECT_FALSE(ini().IsModified());
    ini().SetValue(L"S", L"k", L"VALUE");
    EXPECT_TRUE(ini().IsModified());

    Load("[S]\nk=Value\n", true);
    ini().SetValue(L"s", L"K", L"VALUE");
    EXPECT_FALSE(ini().IsModified());
    EXPECT_EQ(ini().GetValue(L"S", L"k", L""), L"VALUE");  // stored all the same
}

TEST_F(IniValues, DeleteSectionRemovesOnlyTheFirstOfThatName) {
    Load("[F]\na=1\n[F]\nb=2\n", false);
    EXPECT_TRUE(ini().DeleteSection(L"F"));
    EXPECT_TRUE(ini().IsModified());
    EXPECT_EQ(ini().GetKeys(L"F"), std::vector<std::wstring>{L"b"});
    EXPECT_TRUE(ini().DeleteSection(L"F"));
    EXPECT_FALSE(ini().DeleteSection(L"F"));
}

TEST_F(IniValues, SectionZeroSurvivesItsDeletionEmptied) {
    Load("top=1\n[S]\nk=v\n", false);
    EXPECT_TRUE(ini().DeleteSection(L" "));
    ASSERT_EQ(ini().Sections().size(), 2u);
    EXPECT_EQ(ini().Sections()[0].name, L" ");
    EXPECT_TRUE(ini().Sections()[0].entries.empty());
}

}  // namespace tarsil
