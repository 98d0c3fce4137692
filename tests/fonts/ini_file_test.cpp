// INI files on disk: opening, writing, numbered backups and failed writes.
#include "fonts/ini_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "fonts/atomic_file.h"
#include "tests/fonts/file_size_limit.h"
#include "tests/fonts/test_support.h"

namespace tarsil {

namespace fs = std::filesystem;

namespace {

class IniFile : public ::testing::Test {
  protected:
    TempFolder folder_;
    std::size_t FilesInFolder() const {
        return std::distance(fs::directory_iterator(folder_.path()), fs::directory_iterator());
    }
};

}  // namespace

TEST_F(IniFile, OpeningReadsWithoutRewritingAndCreatesAMissingFileOnlyWhenAsked) {
    const auto path = folder_ / "a.ini";
    WriteBytes(path, "[General]\nDdeditStyle=2\n");  // LF only: a rewrite would show as CR LF
    for (bool create : {false, true}) {
        HIniEx ini;
        ASSERT_TRUE(ini.Open(path, true, create, false, true));
        EXPECT_EQ(ini.GetValue(L"General", L"DdeditStyle", L"1"), L"2");
        EXPECT_TRUE(ini.Write(true).empty());  // unchanged: nothing written, no backup
    }
    EXPECT_EQ(ReadBytes(path), "[General]\nDdeditStyle=2\n");
    EXPECT_EQ(FilesInFolder(), 1u);

    const auto fresh = folder_ / "new.map";
    HIniEx ini;
    EXPECT_FALSE(ini.Open(fresh, false, false, false, false));
    EXPECT_FALSE(fs::exists(fresh));
    EXPECT_TRUE(ini.Path().empty());
    ASSERT_TRUE(ini.Open(fresh, false, true, false, false));
    EXPECT_EQ(ReadBytes(fresh), "");
    // Opening another file writes the changed one first.
    ini.SetValue(L"S", L"k", L"v");
    ASSERT_TRUE(ini.Open(path, false, false, false, false));
    EXPECT_EQ(ReadBytes(fresh), "[S]\r\nk=v\r\n");
    EXPECT_FALSE(ini.IsModified());
    EXPECT_EQ(ini.GetKeys(L"S"), std::vector<std::wstring>{});
}

TEST_F(IniFile, PathsThatCannotBeOpenedForWritingFailAndLeaveSectionZero) {
    WriteBytes(folder_ / "plain", "x");
    const auto marked = folder_ / "marked.map";
    WriteBytes(marked, "[FontMapping]\r\nromans=5\r\n");
    fs::permissions(marked, fs::perms::owner_read | fs::perms::group_read);
    HIniEx ini;
    // Each of these fails for root too.
    for (const fs::path& path : {folder_ / "plain" / "a.ini", folder_.path(),
                                 folder_ / "no" / "such" / "a.ini", fs::path(), marked}) {
        EXPECT_FALSE(ini.Open(path, true, true, true, false)) << path;
        ASSERT_EQ(ini.Sections().size(), 1u);
        EXPECT_EQ(ini.Sections()[0].name, L" ");
    }
    EXPECT_EQ(ReadBytes(marked), "[FontMapping]\r\nromans=5\r\n");
}

TEST_F(IniFile, DestructionWritesOnlyWithAutoSaveAndBacksUpOnlyWhenAsked) {
    const auto saved = folder_ / "saved.ini", unsaved = folder_ / "unsaved.ini";
    const auto backed = folder_ / "tarsil.ini";
    WriteBytes(backed, "[General]\nDdeditStyle=1\n");
    {
        HIniEx on, off, backup;
        ASSERT_TRUE(on.Open(saved, true, true, false, false));
        ASSERT_TRUE(off.Open(unsaved, false, true, false, false));
        ASSERT_TRUE(backup.Open(backed, true, false, false, true));
        for (HIniEx* ini : {&on, &off}) ini->SetValue(L"S", L"k", L"v");
        backup.SetValue(L"General", L"DdeditStyle", L"2");
    }
    EXPECT_EQ(ReadBytes(saved), "[S]\r\nk=v\r\n");
    EXPECT_EQ(ReadBytes(unsaved), "");
    EXPECT_EQ(ReadBytes(backed), "[General]\r\nDdeditStyle=2\r\n");
    EXPECT_EQ(ReadBytes(folder_ / "tarsil.ini.001"), "[General]\nDdeditStyle=1\n");
    EXPECT_EQ(FilesInFolder(), 4u);
}

TEST_F(IniFile, BackupNumbersFollowTheHighestNumberBesideTheFile) {
    const auto path = folder_ / "tarsil.ini";
    EXPECT_EQ(NextBackupPath(path), folder_ / "tarsil.ini.001");
    WriteBytes(path, "");
    EXPECT_EQ(NextBackupPath(path), folder_ / "tarsil.ini.001");  // "ini" counts 0
    WriteBytes(folder_ / "tarsil.ini.001", "");
    WriteBytes(folder_ / "tarsil.bak.041", "");  // shares the name without extension
    WriteBytes(folder_ / "other.ini.900", "");   // does not
    EXPECT_EQ(NextBackupPath(path), folder_ / "tarsil.ini.042");
    WriteBytes(folder_ / "tarsil.ini.1234", "");
    EXPECT_EQ(NextBackupPath(path), folder_ / "tarsil.ini.235");
    WriteBytes(folder_ / "tarsil999", "");
    EXPECT_EQ(NextBackupPath(path), folder_ / "tarsil.ini.1000");
}

TEST_F(IniFile, OneBackupPathServesTheObjectsWholeLife) {
    const auto path = folder_ / "a.map", backup = folder_ / "a.map.001";
    WriteBytes(path, "v0\n");
    HIniEx ini;
    ASSERT_TRUE(ini.Open(path, false, false, false, false));
    ini.SetValue(L" ", L"v1", L"");
    EXPECT_EQ(ini.Write(true), backup);
    EXPECT_EQ(ReadBytes(backup), "v0\n");
    ini.SetValue(L" ", L"v2", L"");
    EXPECT_EQ(ini.Write(true), backup);
    EXPECT_EQ(ReadBytes(backup), "v0=\r\nv1=\r\n");
    EXPECT_TRUE(ini.Write(false).empty());  // still modified: writes, no backup
    // Opening again does not start a new number.
    ASSERT_TRUE(ini.Open(path, false, false, false, false));
    ini.SetValue(L" ", L"v3", L"");
    EXPECT_EQ(ini.Write(true), backup);
    EXPECT_EQ(ReadBytes(backup), "v0=\r\nv1=\r\nv2=\r\n");
    EXPECT_EQ(FilesInFolder(), 2u);
}

TEST_F(IniFile, FailedBackupShowsTheMessageAndTheWriteGoesOn) {
    const auto path = folder_ / "gone.ini";
    HIniEx ini;
    ASSERT_TRUE(ini.Open(path, false, true, false, false));
    fs::remove(path);  // nothing left to copy
    ini.SetValue(L"S", L"k", L"v");
    CapturedAlerts alerts;
    EXPECT_TRUE(ini.Write(true).empty());
    const std::wstring file = path.wstring();
    EXPECT_EQ(alerts.messages,
              std::vector<std::wstring>{L"Fehler Ini-Datei:\n" + file + L" konnte nicht nach " +
                                        file + L".001 kopiert werden."});
    EXPECT_EQ(ReadBytes(path), "[S]\r\nk=v\r\n");
}

TEST_F(IniFile, FullDiskLeavesTheOldFileWholeAndSaysWhy) {
    const auto path = folder_ / "big.ini";
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
    EXPECT_EQ(FilesInFolder(), 1u);  // no temporary file left behind
}

TEST_F(IniFile, FileReplacedByAFolderIsLeftAlone) {
    const auto path = folder_ / "x.ini";
    HIniEx ini;
    ASSERT_TRUE(ini.Open(path, false, true, false, false));
    ini.SetValue(L"S", L"k", L"v");
    fs::remove(path);
    fs::create_directory(path);
    WriteBytes(path / "keep", "1");
    CapturedAlerts alerts;
    EXPECT_TRUE(ini.Write(false).empty());
    EXPECT_EQ(alerts.messages.size(), 1u);
    EXPECT_EQ(ReadBytes(path / "keep"), "1");
}

TEST_F(IniFile, KeepsPermissionsOwnerAndSymbolicLinks) {
    const auto target = folder_ / "real.ini", link = folder_ / "link.ini";
    WriteBytes(target, "[S]\n");
    const auto perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(target, perms);
    fs::create_symlink(target, link);
    // Only a privileged user can give a file away.
    const bool root = geteuid() == 0;
    ASSERT_TRUE(!root || chown(target.c_str(), 4321, 4322) == 0);
    {
        HIniEx ini;
        ASSERT_TRUE(ini.Open(link, true, false, false, false));
        ini.SetValue(L"S", L"k", L"v");
    }
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadBytes(target), "[S]\r\nk=v\r\n");
    EXPECT_EQ(fs::status(target).permissions(), perms);
    struct stat st {};
    ASSERT_EQ(stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, root ? 4321u : geteuid());
    EXPECT_EQ(st.st_gid, root ? 4322u : getegid());
    // A link to a file not made yet keeps pointing at it, and it is made.
    fs::create_symlink("new.ini", folder_ / "dangling.ini");
    ASSERT_TRUE(ReplaceFileContents(folder_ / "dangling.ini", "[S]\r\n", nullptr));
    EXPECT_TRUE(fs::is_symlink(folder_ / "dangling.ini"));
    EXPECT_EQ(ReadBytes(folder_ / "new.ini"), "[S]\r\n");
}

}  // namespace tarsil
