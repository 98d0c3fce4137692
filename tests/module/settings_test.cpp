#include "fonts/settings/settings.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

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

TEST_F(Settings, TheGeneralSectionGivesTheStyleAndTheMapPath) {
    using namespace std::string_literals;
    const std::string spaced = (folder_ / "hebrew fonts.map").string();
    const std::string cut = "/" + std::string(300, 'm') + ".map",
                      exact = "/" + std::string(258, 'e');
    const std::string named = (folder_ / "a.map").string();
    const struct {
        std::string ini;
        int style;
        std::string map;  // empty: the default map
    } cases[] = {
        {"[Completion]\r\nFile=OFF\r\n[general2]\r\nDdeditStyle=2\r\n", 1, ""},
        {"[General]\r\nDdeditStyle=2\r\n", 2, ""},
        // Names match without case; values lose blanks and quotes.
        {"; settings\n[ general ]\n  ddeditstyle =  0  \nFONTMAPFILE=\"" + spaced + "\"\n", 0,
         spaced},
        // Unusual styles are kept as they are.
        {"[General]\nDdeditStyle=2x\n", 2, ""},
        {"[General]\nDdeditStyle=-1\n", -1, ""},
        {"[General]\nDdeditStyle=\n", 1, ""},
        {"[General]\nDdeditStyle=none\n", 0, ""},
        // A map path is cut at 259 characters.
        {"[General]\nFontMapFile=" + cut + "\n", 1, cut.substr(0, 259)},
        {"[General]\nFontMapFile=" + exact + "\n", 1, exact},
        // A value ends at a NUL byte, as in a read buffer.
        {"[General]\nDdeditStyle=\0"s + "2\nFontMapFile=\0/maps/x.map\n"s, 1, ""},
        {"[General]\nDdeditStyle=0\0"s + "2\nFontMapFile=" + named + "\0.old\n"s, 0, named},
    };
    for (const auto& c : cases) {
        const auto context = &c - cases;
        applied_.clear();
        configured_when_applied_.clear();
        ReadFrom(c.ini);
        EXPECT_EQ(Style(), c.style) << context;
        EXPECT_EQ(MapPath(), c.map.empty() ? DefaultMap() : fs::path(c.map)) << context;
        // Stored before it is applied, with force.
        EXPECT_EQ(applied_, (std::vector<std::pair<int, bool>>{{c.style, true}})) << context;
        EXPECT_EQ(configured_when_applied_, std::vector<int>{c.style}) << context;
    }
    EXPECT_TRUE(fs::exists(named)) << "a named map that does not exist is made as the maps load";
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

TEST(ProfileFile, KeysGoToTheEndOfTheirSectionBeforeBlankLinesAndTheFirstOfANameWins) {
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

    WriteBytes(folder / "b.ini", "top=0\n[S]\nk=first\nk=second\n[s]\nk=third\n");
    const ProfileFile first_wins(folder / "b.ini");
    EXPECT_EQ(first_wins.Find(L"S", L"K"), L"first");
    EXPECT_EQ(first_wins.Find(L" ", L"top"), std::nullopt);
}

TEST(CompletionSwitches, OnlyAValueBeginningWithUpperCaseOffIsOffAndTheyAreWrittenOnOrOff) {
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
    fs::remove(ini);
    ASSERT_TRUE(WriteCompletionSwitch(ini, kCompletionDrawingKey, false));
    ASSERT_TRUE(WriteCompletionSwitch(ini, kCompletionFileKey, true));
    EXPECT_EQ(ReadBytes(ini), "[Completion]\r\nDrawing=OFF\r\nFile=ON\r\n");
    EXPECT_FALSE(WriteCompletionSwitch(folder / "no" / "tarsil.ini", kCompletionFileKey, true));
}

TEST(CompletionSwitches, WithoutTheModuleTheExecutablesFolderServes) {
    EXPECT_EQ(ModuleSettingsFile(),
              fs::read_symlink("/proc/self/exe").parent_path() / "tarsil.ini");
}

}  // namespace tarsil
