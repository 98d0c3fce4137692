#include <gtest/gtest.h>

#include "fonts/ini_file.h"
#include "tests/fonts/test_support.h"

namespace tarsil {

TEST(IniRead, LinesBeforeTheFirstHeaderGoToSectionZero) {
    HIniEx ini;
    ini.Parse("top=1\nabc\n[S]\nk=v\n");
    ASSERT_EQ(ini.Sections().size(), 2u);
    EXPECT_EQ(ini.Sections()[0].name, L" ");
    EXPECT_EQ(ini.GetValue(L" ", L"top", L"-"), L"1");
    EXPECT_EQ(ini.GetKeys(L" "), (std::vector<std::wstring>{L"top", L"abc"}));
    EXPECT_EQ(ini.GetValue(L"S", L"k", L"-"), L"v");
}

TEST(IniRead, AcceptsCrLfAndLfAndDropsTrailingWhiteSpaceAndEmptyLines) {
    HIniEx ini;
    ini.Parse("[A]\r\nx=1 \t\r\n\r\n   \ny=2\n[B]  \r\nz= 3");
    EXPECT_EQ(ini.GetValue(L"A", L"x", L"-"), L"1");
    EXPECT_EQ(ini.GetValue(L"A", L"y", L"-"), L"2");
    EXPECT_EQ(ini.GetValue(L"B", L"z", L"-"), L" 3");  // leading blanks stay
    EXPECT_EQ(ini.GetKeys(L"A").size(), 2u);
}

TEST(IniRead, KeysAndValuesAreSplitAtTheFirstEqualsAndNotTrimmed) {
    HIniEx ini;
    ini.Parse("[S]\n a = b=c\nnoequals\n=onlyvalue\n;comment line\n");
    const auto& entries = ini.Sections()[1].entries;
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].key, L" a ");
    EXPECT_EQ(entries[0].value, L" b=c");
    EXPECT_EQ(entries[1].key, L"noequals");
    EXPECT_EQ(entries[1].value, L"");
    EXPECT_EQ(entries[2].key, L"");
    EXPECT_EQ(entries[2].value, L"onlyvalue");
    EXPECT_EQ(entries[3].key, L";comment line");  // no whole-line comments
}

TEST(IniRead, HeaderNameIsKeptUntrimmed) {
    HIniEx ini;
    ini.Parse("[ FontMapping ]\nromans=5\n[]\n[x\n");
    ASSERT_EQ(ini.Sections().size(), 3u);
    EXPECT_EQ(ini.Sections()[1].name, L" FontMapping ");
    EXPECT_EQ(ini.Sections()[2].name, L"");
    EXPECT_EQ(ini.Sections()[2].entries[0].key, L"[x");  // not a header
    EXPECT_TRUE(ini.GetKeys(L"FontMapping").empty());
}

TEST(IniRead, EveryByteIsOneCharacterAndNoByteOrderMarkIsRemoved) {
    HIniEx ini;
    ini.Parse("\xEF\xBB\xBFk=\xE0\xFA\x80\n");
    const auto& entry = ini.Sections()[0].entries.at(0);
    EXPECT_EQ(entry.key, L"\u00ef\u00bb\u00bfk");
    EXPECT_EQ(entry.value, L"\u00e0\u00fa\u0080");
}

TEST(IniRead, ParsingDoesNotCountAsAChange) {
    HIniEx ini;
    ini.Parse("[a]\nb=c\n");
    EXPECT_FALSE(ini.IsModified());
}

TEST(IniOpen, ReadsAnExistingFileAndRemembersItsPathAndCreatingDoesNotTruncateIt) {
    TempFolder folder;
    const auto path = folder / "a.ini";
    WriteBytes(path, "[General]\nDdeditStyle=2\n");  // LF only: a rewrite would show as CR LF
    for (bool createIfMissing : {false, true}) {
        HIniEx ini;
        ASSERT_TRUE(ini.Open(path, false, createIfMissing, false, false));
        EXPECT_EQ(ini.Path(), path);
        EXPECT_EQ(ini.GetValue(L"General", L"DdeditStyle", L"1"), L"2");
        EXPECT_EQ(ReadBytes(path), "[General]\nDdeditStyle=2\n");
    }
}

TEST(IniOpen, MissingFileIsCreatedEmptyOnlyWhenAsked) {
    TempFolder folder;
    const auto path = folder / "new.map";
    HIniEx ini;
    EXPECT_FALSE(ini.Open(path, false, false, false, false));
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(ini.Path().empty());

    ASSERT_TRUE(ini.Open(path, false, true, false, false));
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(std::filesystem::file_size(path), 0u);
}

TEST(IniOpen, FailsForPathsThatCannotBeOpenedAndHoldsOnlySectionZero) {
    TempFolder folder;
    WriteBytes(folder / "plain", "x");
    HIniEx ini;
    // Each of these fails for root too.
    EXPECT_FALSE(ini.Open(folder / "plain" / "a.ini", false, true, false, false));
    EXPECT_FALSE(ini.Open(folder.path(), false, true, false, false));
    EXPECT_FALSE(ini.Open(folder / "no" / "such" / "a.ini", false, true, false, false));
    EXPECT_FALSE(ini.Open("", false, true, false, false));
    ASSERT_EQ(ini.Sections().size(), 1u);
    EXPECT_EQ(ini.Sections()[0].name, L" ");
}

TEST(IniOpen, ReadOnlyFileIsNotOpened) {
    HIniEx ini;
    // A file without write permission is refused, to root as well.
    TempFolder folder;
    const auto marked = folder / "marked.map";
    WriteBytes(marked, "[FontMapping]\r\nromans=5\r\n");
    std::filesystem::permissions(marked, std::filesystem::perms::owner_read |
                                             std::filesystem::perms::group_read);
    EXPECT_FALSE(ini.Open(marked, true, true, true, false));
    EXPECT_EQ(ReadBytes(marked), "[FontMapping]\r\nromans=5\r\n");
    // A read-only attribute file refuses writers, root included.
    const std::filesystem::path read_only = "/sys/kernel/mm/transparent_hugepage/hpage_pmd_size";
    if (!std::filesystem::exists(read_only)) GTEST_SKIP() << "no read-only sysfs attribute";
    EXPECT_FALSE(ini.Open(read_only, true, false, false, false));
}

TEST(IniOpen, ReopeningWritesTheChangedFileFirst) {
    TempFolder folder;
    const auto first = folder / "first.ini";
    const auto second = folder / "second.ini";
    WriteBytes(second, "[T]\nq=1\n");
    HIniEx ini;
    ASSERT_TRUE(ini.Open(first, false, true, false, false));
    ini.SetValue(L"S", L"k", L"v");
    ASSERT_TRUE(ini.Open(second, false, false, false, false));
    EXPECT_EQ(ReadBytes(first), "[S]\r\nk=v\r\n");
    EXPECT_FALSE(ini.IsModified());
    EXPECT_TRUE(ini.GetKeys(L"S").empty());
    EXPECT_EQ(ini.GetValue(L"T", L"q", L""), L"1");
}

}  // namespace tarsil
