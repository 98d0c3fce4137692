#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>


#include "fonts/ini_file.h"
#include "tests/fonts/file_size_limit.h"
#include "tests/fonts/test_support.h"

namespace tarsil {

namespace fs = std::filesystem;

TEST(IniWrite, WritesCrLfLinesWithoutHeaderForSectionZeroAndKeepsOtherSections) {
    TempFolder folder;
    const auto path = folder / "m.map";
    WriteBytes(path, "top\n[Other]\nx = y\n[FontMapping]\nromans=5\n");
    {
        HIniEx ini;
        ASSERT_TRUE(ini.Open(path, false, false, true, false));
        ini.SetValue(L"fontmapping", L"txt", L"1");
        EXPECT_TRUE(ini.Write(false).empty());
    }
    EXPECT_EQ(ReadBytes(path),
              "top=\r\n[Other]\r\nx = y\r\n[FontMapping]\r\nromans=5\r\ntxt=1\r\n");
}

TEST(IniWrite, EmptyKeyWritesTheValueAloneAndEmptyNamedSectionHasNoHeader) {
    HIniEx ini;
    ini.Parse("[A]\n=v\n[]\nk=1\n");
    EXPECT_EQ(ini.Serialize(), "[A]\r\nv\r\nk=1\r\n");
}

TEST(IniWrite, BytesAboveAsciiAreWrittenAsSingleBytes) {
    HIniEx ini;
    ini.SetValue(L"S", L"\u00e0", L"\u0080\u00ff");
    EXPECT_EQ(ini.Serialize(), "[S]\r\n\xE0=\x80\xFF\r\n");
}

TEST(IniWrite, RoundTripOfAWrittenFileGivesTheSameSections) {
    HIniEx first;
    first.Parse("a=1\n[S1]\nk=v;c\nk=w\n[ S2 ]\nx\n");
    HIniEx second;
    second.Parse(first.Serialize());
    ASSERT_EQ(second.Sections().size(), first.Sections().size());
    for (std::size_t i = 0; i < first.Sections().size(); ++i) {
        EXPECT_EQ(second.Sections()[i].name, first.Sections()[i].name);
        EXPECT_EQ(second.GetKeys(second.Sections()[i].name),
                  first.GetKeys(first.Sections()[i].name));
    }
}

TEST(IniWrite, UnchangedImageWritesNothing) {
    TempFolder folder;
    const auto path = folder / "same.ini";
    WriteBytes(path, "[S]\nk=v\n");  // LF only: a rewrite would show as CR LF
    HIniEx ini;
    ASSERT_TRUE(ini.Open(path, true, false, false, true));
    EXPECT_TRUE(ini.Write(true).empty());
    EXPECT_EQ(ReadBytes(path), "[S]\nk=v\n");
    EXPECT_FALSE(fs::exists(folder / "same.ini.001"));
}

TEST(IniAutoSave, DestructionWritesOnlyWhenAutoSaveIsOn) {
    TempFolder folder;
    const auto saved = folder / "saved.ini";
    const auto unsaved = folder / "unsaved.ini";
    {
        HIniEx on;
        ASSERT_TRUE(on.Open(saved, true, true, false, false));
        on.SetValue(L"S", L"k", L"v");
        HIniEx off;
        ASSERT_TRUE(off.Open(unsaved, false, true, false, false));
        off.SetValue(L"S", L"k", L"v");
    }
    EXPECT_EQ(ReadBytes(saved), "[S]\r\nk=v\r\n");
    EXPECT_EQ(ReadBytes(unsaved), "");
    EXPECT_FALSE(fs::exists(folder / "saved.ini.001"));
}

TEST(IniAutoSave, BackupFlagOfTheFinalWriteMakesANumberedCopyOfTheOldFile) {
    TempFolder folder;
    const auto path = folder / "tarsil.ini";
    WriteBytes(path, "[General]\nDdeditStyle=1\n");
    {
        HIniEx ini;
        ASSERT_TRUE(ini.Open(path, true, false, false, true));
        ini.SetValue(L"General", L"DdeditStyle", L"2");
    }
    EXPECT_EQ(ReadBytes(folder / "tarsil.ini.001"), "[General]\nDdeditStyle=1\n");
    EXPECT_EQ(ReadBytes(path), "[General]\r\nDdeditStyle=2\r\n");
}

TEST(IniBackup, NumbersFollowTheHighestNumberBesideTheFile) {
    TempFolder folder;
    const auto path = folder / "tarsil.ini";
    EXPECT_EQ(NextBackupPath(path), folder / "tarsil.ini.001");
    WriteBytes(path, "");
    EXPECT_EQ(NextBackupPath(path), folder / "tarsil.ini.001");  // "ini" counts 0
    WriteBytes(folder / "tarsil.ini.001", "");
    WriteBytes(folder / "tarsil.bak.041", "");  // shares the name without extension
    WriteBytes(folder / "other.ini.900", "");   // does not
    EXPECT_EQ(NextBackupPath(path), folder / "tarsil.ini.042");
    WriteBytes(folder / "tarsil.ini.1234", "");
    EXPECT_EQ(NextBackupPath(path), folder / "tarsil.ini.235");
    WriteBytes(folder / "tarsil999", "");
    EXPECT_EQ(NextBackupPath(path), folder / "tarsil.ini.1000");
}

TEST(IniBackup, WriteReturnsTheBackupPathAndReusesItForTheObjectsLife) {
    TempFolder folder;
    const auto path = folder / "a.map";
    WriteBytes(path, "v0\n");
    HIniEx ini;
    ASSERT_TRUE(ini.Open(path, false, false, false, false));
    ini.SetValue(L" ", L"v1", L"");
    EXPECT_EQ(ini.Write(true), folder / "a.map.001");
    EXPECT_EQ(ReadBytes(folder / "a.map.001"), "v0\n");
    ini.SetValue(L" ", L"v2", L"");
    EXPECT_EQ(ini.Write(true), folder / "a.map.001");
    EXPECT_EQ(ReadBytes(folder / "a.map.001"), "v0=\r\nv1=\r\n");
    EXPECT_FALSE(fs::exists(folder / "a.map.002"));
    EXPECT_TRUE(ini.Write(false).empty());  // still modified: writes, no backup

    // Opening again does not start a new number.
    ASSERT_TRUE(ini.Open(path, false, false, false, false));
    ini.SetValue(L" ", L"v3", L"");
    EXPECT_EQ(ini.Write(true), folder / "a.map.001");
    EXPECT_EQ(ReadBytes(folder / "a.map.001"), "v0=\r\nv1=\r\nv2=\r\n");
    EXPECT_FALSE(fs::exists(folder / "a.map.002"));
}

TEST(IniBackup, FailedCopyShowsTheMessageAndTheWriteGoesOn) {
    TempFolder folder;
    const auto path = folder / "gone.ini";
    HIniEx ini;
    ASSERT_TRUE(ini.Open(path, false, true, false, false));
    fs::remove(path);  // nothing left to copy
    ini.SetValue(L"S", L"k", L"v");
    CapturedAlerts alerts;
    EXPECT_TRUE(ini.Write(true).empty());
    ASSERT_EQ(alerts.messages.size(), 1u);
    const std::string file = path.string();
    const std::string backup = file + ".001";
    EXPECT_EQ(alerts.messages[0], L"Fehler Ini-Datei:\n" + std::wstring(file.begin(), file.end()) +
                                      L" konnte nicht nach " +
                                      std::wstring(backup.begin(), backup.end()) +
                                      L" kopiert werden.");
    EXPECT_EQ(ReadBytes(path), "[S]\r\nk=v\r\n");
}

TEST(IniWriteFailure, FullDiskLeavesTheOldFileWholeAndSaysWhy) {
    TempFolder folder;
    const auto path = folder / "big.ini";
    const std::string old_bytes = "[S]\r\nk=old\r\n";
    WriteBytes(path, old_bytes);
    HIniEx ini;
    ASSERT_TRUE(ini.Open(path, false, false, false, false));
    ini.SetValue(L"S", L"k", std::wstring(100000, L'x'));

    CapturedAlerts alerts;
    fs::path backup;
    {
        FileSizeLimit full_disk(4096);
        backup = ini.Write(false);
    }

    EXPECT_TRUE(backup.empty());
    EXPECT_EQ(ReadBytes(path), old_bytes);
    ASSERT_EQ(alerts.messages.size(), 1u);
    EXPECT_NE(alerts.messages[0].find(L"Cannot write the file"), std::wstring::npos);
    EXPECT_NE(alerts.messages[0].find(L"too large"), std::wstring::npos);
    // Nothing but the file itself is left in the folder.
    int count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder.path())) ++count;
    EXPECT_EQ(count, 1);
}

TEST(IniWriteFailure, FileReplacedByAFolderIsLeftAlone) {
    TempFolder folder;
    const auto path = folder / "x.ini";
    HIniEx ini;
    ASSERT_TRUE(ini.Open(path, false, true, false, false));
    ini.SetValue(L"S", L"k", L"v");
    fs::remove(path);
    fs::create_directory(path);
    fs::path inside = path / "keep";
    WriteBytes(inside, "1");
    CapturedAlerts alerts;
    EXPECT_TRUE(ini.Write(false).empty());
    EXPECT_EQ(alerts.messages.size(), 1u);
    EXPECT_EQ(ReadBytes(inside), "1");
}

TEST(IniWrite, KeepsPermissionsAndWritesThroughSymbolicLinks) {
    TempFolder folder;
    const auto target = folder / "real.ini";
    const auto link = folder / "link.ini";
    WriteBytes(target, "[S]\n");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(target, link);
    {
        HIniEx ini;
        ASSERT_TRUE(ini.Open(link, true, false, false, false));
        ini.SetValue(L"S", L"k", L"v");
    }
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadBytes(target), "[S]\r\nk=v\r\n");
    EXPECT_EQ(fs::status(target).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

}  // namespace tarsil

namespace tarsil {

TEST(IniWrite, KeepsTheOwnerOfAFileWrittenByAPrivilegedUser) {
    if (geteuid() != 0) GTEST_SKIP() << "only a privileged user can give a file away";
    TempFolder folder;
    const auto path = folder / "owned.ini";
    WriteBytes(path, "[S]\n");
    ASSERT_EQ(chown(path.c_str(), 4321, 4322), 0);
    {
        HIniEx ini;
        ASSERT_TRUE(ini.Open(path, true, false, false, false));
        ini.SetValue(L"S", L"k", L"v");
    }
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 4321u);
    EXPECT_EQ(st.st_gid, 4322u);
    EXPECT_EQ(ReadBytes(path), "[S]\r\nk=v\r\n");
}

}  // namespace tarsil
