#include "fonts/settings/settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <utility>
#include <vector>

#include "fonts/font_map.h"
#include "fonts/settings/completion_switches.h"
#include "fonts/settings/profile_file.h"
#include "fonts/wh_config.h"
#include "tests/fonts/file_size_limit.h"
#include "tests/fonts/test_support.h"

namespace tarsil {

namespace fs = std::filesystem;

namespace {

// A module folder of its own per test, with the configuration pointed at it.
class Settings : public ::testing::Test {
  protected:
    void SetUp() override { CWhConfig::Instance().SetModuleFile(folder_ / "tarsil2.arx", nullptr); }
    void TearDown() override { CWhConfig::DestroyInstance(); }

    fs::path Ini() const { return folder_ / "tarsil.ini"; }
    fs::path DefaultMap() const { return folder_ / "default.map"; }
    static int Style() { return CWhConfig::Instance().GetDdeditStyle(); }
    static fs::path MapPath() { return CWhConfig::Instance().GetCurrentFontMapPath(); }

    // Reads the settings, recording each style applied and what the
    // configuration held at that moment.
    void Read() {
        ReadSettings([this](int style, bool force) {
            applied_.push_back({style, force});
            configured_when_applied_.push_back(Style());
        });
    }
    // Writes the settings file, then reads it.
    void ReadFrom(const std::string& ini) {
        WriteBytes(Ini(), ini);
        Read();
    }

    TempFolder folder_;
    std::vector<std::pair<int, bool>> applied_;
    std::vector<int> configured_when_applied_;
};

}  // namespace

TEST_F(Settings, WithoutAFileOrItsGeneralSectionTheDefaultsApply) {
    Read();
    EXPECT_EQ(Style(), 1);
    EXPECT_EQ(MapPath(), DefaultMap());
    EXPECT_EQ(applied_, (std::vector<std::pair<int, bool>>{{1, true}}));
    EXPECT_FALSE(fs::exists(Ini())) << "reading writes nothing";
    // Loading the maps creates the missing default map, as map loading does.
    EXPECT_TRUE(fs::exists(DefaultMap()));

    ReadFrom("[Completion]\r\nFile=OFF\r\n[general2]\r\nDdeditStyle=2\r\n");
    EXPECT_EQ(Style(), 1);
    EXPECT_EQ(MapPath(), DefaultMap());
}

TEST_F(Settings, TheStyleIsStoredBeforeItIsAppliedWithForce) {
    ReadFrom("[General]\r\nDdeditStyle=2\r\n");
    EXPECT_EQ(applied_, (std::vector<std::pair<int, bool>>{{2, true}}));
    EXPECT_EQ(configured_when_applied_, std::vector<int>{2});
}

TEST_F(Settings, NamesMatchWithoutCaseAndValuesLoseBlanksAndQuotes) {
    const fs::path map = folder_ / "hebrew fonts.map";
    ReadFrom("; settings\n[ general ]\n  ddeditstyle =  0  \nFONTMAPFILE=\"" + map.string() +
             "\"\n");
    EXPECT_EQ(Style(), 0);
    EXPECT_EQ(MapPath(), map);
}

TEST_F(Settings, UnusualStylesAreKeptAsTheyAre) {
    ReadFrom("[General]\nDdeditStyle=5\n");
    EXPECT_EQ(Style(), 5);
    ASSERT_TRUE(SaveSettings());
    EXPECT_EQ(ProfileFile(Ini()).Find(kGeneralSection, kDdeditStyleKey), L"5");

    const std::pair<const char*, int> cases[] = {{"2x", 2}, {"-1", -1}, {"", 1}, {"none", 0}};
    for (const auto& [value, style] : cases) {
        ReadFrom(std::string("[General]\nDdeditStyle=") + value + "\n");
        EXPECT_EQ(Style(), style) << value;
    }
}

TEST_F(Settings, AFontMapPathIsCutAt259Characters) {
    const std::string long_path = "/" + std::string(300, 'm') + ".map";
    const std::string exact = "/" + std::string(258, 'e');
    const std::pair<std::string, std::string> cases[] = {{long_path, long_path.substr(0, 259)},
                                                         {exact, exact}};
    for (const auto& [written, kept] : cases) {
        ReadFrom("[General]\nFontMapFile=" + written + "\n");
        EXPECT_EQ(MapPath().native(), kept);
    }
}

TEST_F(Settings, AValueEndsAtANulByteAsInAReadBuffer) {
    using namespace std::string_literals;
    ReadFrom("[General]\nDdeditStyle=\0"s + "2\nFontMapFile=\0/maps/x.map\n"s);
    EXPECT_EQ(Style(), 1);
    EXPECT_EQ(MapPath(), DefaultMap());

    const fs::path map = folder_ / "a.map";
    ReadFrom("[General]\nDdeditStyle=0\0"s + "2\nFontMapFile=" + map.string() + "\0.old\n"s);
    EXPECT_EQ(Style(), 0);
    EXPECT_EQ(MapPath(), map);
    ASSERT_TRUE(SaveSettings());
    EXPECT_EQ(ReadBytes(Ini()).find('\0'), std::string::npos);
}

TEST_F(Settings, ANamedMapThatDoesNotExistIsCreatedWhenTheMapsLoad) {
    const fs::path map = folder_ / "mine.map";
    ReadFrom("[General]\nFontMapFile=" + map.string() + "\n");
    EXPECT_EQ(MapPath(), map);
    EXPECT_TRUE(fs::exists(map));
}

TEST_F(Settings, SaveWritesTheFullDefaultPathAndKeepsEverythingElse) {
    ReadFrom("; mine\r\n[Completion]\r\nFile=OFF\r\n\r\n[General]\r\nOther=x\r\n");
    CWhConfig::Instance().SetDdeditStyle(2);
    ASSERT_TRUE(SaveSettings());
    EXPECT_EQ(ReadBytes(Ini()),
              "; mine\r\n[Completion]\r\nFile=OFF\r\n\r\n[General]\r\nOther=x\r\nDdeditStyle=2\r\n"
              "FontMapFile=" +
                  DefaultMap().string() + "\r\n");
}

TEST_F(Settings, SaveCreatesTheFileAndReplacesValuesInPlace) {
    Read();
    ASSERT_TRUE(SaveSettings());
    EXPECT_EQ(ReadBytes(Ini()),
              "[General]\r\nDdeditStyle=1\r\nFontMapFile=" + DefaultMap().string() + "\r\n");
    WriteBytes(Ini(), "[General]\nfontmapfile=old\nDdeditStyle=0\n[Next]\nA=1\n");
    CWhConfig::Instance().SetCurrentFontMapPath("/maps/new.map");
    ASSERT_TRUE(SaveSettings());
    EXPECT_EQ(ReadBytes(Ini()),
              "[General]\nfontmapfile=/maps/new.map\nDdeditStyle=1\n[Next]\nA=1\n");
}

TEST_F(Settings, AFailedSaveLeavesTheOldFileAndAlerts) {
    // The new contents are longer than the disk has room for: the temporary
    // file fails part-way, after the old file could have been touched.
    const std::string old_bytes = "[General]\nDdeditStyle=0\n";
    WriteBytes(Ini(), old_bytes);
    Read();
    CWhConfig::Instance().SetCurrentFontMapPath("/maps/" + std::string(200, 'm') + ".map");
    CapturedAlerts alerts;
    {
        FileSizeLimit full_disk(old_bytes.size() + 8);
        EXPECT_FALSE(SaveSettings());
    }
    ASSERT_EQ(alerts.messages.size(), 1u);
    EXPECT_NE(alerts.messages[0].find(L"tarsil.ini"), std::wstring::npos);
    EXPECT_EQ(ReadBytes(Ini()), old_bytes);
    // No temporary file is left beside it.
    for (const auto& entry : fs::directory_iterator(folder_.path())) {
        EXPECT_TRUE(entry.path() == Ini() || entry.path() == DefaultMap()) << entry.path();
    }
}

TEST_F(Settings, AFolderInTheSettingsFilesPlaceReadsAsEmptyAndIsNotReplaced) {
    fs::create_directory(Ini());
    Read();
    EXPECT_EQ(Style(), 1);
    CapturedAlerts alerts;
    EXPECT_FALSE(SaveSettings());
    EXPECT_EQ(alerts.messages.size(), 1u);
    EXPECT_TRUE(fs::is_directory(Ini()));
}

TEST(ProfileFile, KeysGoToTheEndOfTheirSectionBeforeBlankLines) {
    TempFolder folder;
    WriteBytes(folder / "a.ini", "[A]\nx=1\n\n[B]\ny=2\n");
    ProfileFile file(folder / "a.ini");
    file.Set(L"a", L"z", L"3");
    file.Set(L"C", L"w", L"4");
    file.Set(L"B", L"Y", L"5");
    EXPECT_EQ(file.Serialize(), "[A]\nx=1\nz=3\n\n[B]\ny=5\n[C]\nw=4\n");
    EXPECT_EQ(file.Find(L"A", L"missing"), std::nullopt);
    EXPECT_EQ(file.Find(L"missing", L"x"), std::nullopt);
    EXPECT_EQ(file.GetString(L"A", L"missing", L"dflt", 3), L"df");
}

TEST(ProfileFile, TheFirstSectionAndKeyOfANameWin) {
    TempFolder folder;
    WriteBytes(folder / "a.ini", "top=0\n[S]\nk=first\nk=second\n[s]\nk=third\n");
    const ProfileFile file(folder / "a.ini");
    EXPECT_EQ(file.Find(L"S", L"K"), L"first");
    EXPECT_EQ(file.Find(L" ", L"top"), std::nullopt);
}

TEST(CompletionSwitches, OnlyAValueBeginningWithUpperCaseOffIsOff) {
    TempFolder folder;
    const fs::path ini = folder / "tarsil.ini";
    EXPECT_TRUE(ReadCompletionSwitch(ini, kCompletionFileKey));
    const std::pair<const char*, bool> cases[] = {
        {"OFF", false}, {"OFFICE", false}, {"off", true}, {"Off", true},
        {"ON", true},   {"", true},        {"OF", true},  {" OFF ", false},
    };
    for (const auto& [value, on] : cases) {
        WriteBytes(ini, std::string("[Completion]\nFile=") + value + "\n");
        EXPECT_EQ(ReadCompletionSwitch(ini, kCompletionFileKey), on) << value;
    }
}

TEST(CompletionSwitches, WritingKeepsTheGeneralSection) {
    TempFolder folder;
    const fs::path ini = folder / "tarsil.ini";
    WriteBytes(ini, "[General]\r\nDdeditStyle=2\r\n");
    ASSERT_TRUE(WriteCompletionSwitch(ini, kCompletionDrawingKey, false));
    ASSERT_TRUE(WriteCompletionSwitch(ini, kCompletionFileKey, true));
    EXPECT_EQ(ReadBytes(ini),
              "[General]\r\nDdeditStyle=2\r\n[Completion]\r\nDrawing=OFF\r\nFile=ON\r\n");
    EXPECT_FALSE(ReadCompletionSwitch(ini, kCompletionDrawingKey));
    EXPECT_FALSE(WriteCompletionSwitch(folder / "no" / "tarsil.ini", kCompletionFileKey, true));
}

TEST(CompletionSwitches, WithoutTheModuleTheExecutablesFolderServes) {
    EXPECT_EQ(ModuleSettingsFile(),
              fs::read_symlink("/proc/self/exe").parent_path() / "tarsil.ini");
}

}  // namespace tarsil
