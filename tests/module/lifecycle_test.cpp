// The module's answers to the host's messages, driven directly, with the
// host's LISP recorded.  A stand-in module file named tarsil2.arx is loaded
// from a folder of the test's own, so that the settings file lives there.
#include "host/module/lifecycle.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include "cadhost/apdoc/docmanager.h"
#include "cadhost/editor/commandstack.h"
#include "cadhost/editor/dblclick.h"
#include "cadhost/rx/dynlinker.h"
#include "fonts/wh_config.h"
#include "host/module/command_table.h"
#include "tests/fonts/test_support.h"
#include "tests/module/host_fixture.h"

namespace tarsil {

namespace fs = std::filesystem;

namespace {

using testing::kInstallCalls;
using testing::kRestoreCalls;
using testing::RecordingLisp;

class Lifecycle : public testing::HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        const fs::path stub =
            fs::path(TARSIL_BINARY_DIR) / "tests/fonts/stub_module" / "tarsil2.arx";
        fs::copy_file(stub, folder_ / "tarsil2.arx");
        module_ = dlopen((folder_ / "tarsil2.arx").c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(module_, nullptr) << dlerror();
        SetShortVar(L"DTEXTED", 2);
    }
    void TearDown() override {
        if (loaded_) UnloadModule();
        if (module_ != nullptr) dlclose(module_);
        HostTest::TearDown();
    }

    void Configure(const std::string& general) { WriteBytes(Ini(), "[General]\r\n" + general); }
    void Init() {
        InitializeModule(nullptr);
        loaded_ = true;
    }
    void Unload() {
        UnloadModule();
        loaded_ = false;
    }
    fs::path Ini() const { return folder_ / "tarsil.ini"; }
    std::string SavedSettings(int style) const {
        return testing::SavedSettings(folder_.path(), style);
    }
    // "global local flags function-code" of each command of the group, in order.
    static std::vector<std::wstring> ModuleCommands() {
        std::vector<std::wstring> seen;
        for (const AcEdCommand* command : acedRegCmdsPtr()->commands()) {
            if (std::wstring(command->groupName()) != kCommandGroupName) continue;
            seen.push_back(std::wstring(command->globalName()) + L" " + command->localName() +
                           L" " + std::to_wstring(command->commandFlags()) + L" " +
                           std::to_wstring(command->functionCode()));
        }
        return seen;
    }

    TempFolder folder_;
    void* module_ = nullptr;
    bool loaded_ = false;
    RecordingLisp lisp_;
};

}  // namespace

TEST_F(Lifecycle, InitialisationAppliesTheStyleAndRegistersTheFinishedCommandsInOrder) {
    Configure("DdeditStyle=2\r\n");
    Init();
    EXPECT_EQ(lisp_.TakeCalls(), kInstallCalls);
    EXPECT_FALSE(cadhost::hostTextDoubleClickInstalled());
    EXPECT_EQ(ModuleCommands(),
              (std::vector<std::wstring>{L"KRDV_TSTT TSTT 7 -1", L"KRDV_TSTA TSTA 7 -1",
                                         L"KRDV_TSTM TSTM 7 -1", L"KRDV_TSTD TSTD 7 -1",
                                         L"KRDV_TSCFG TSCFG 1 -1"}));
    EXPECT_EQ(acDocManagerPtr()->resourceDepth(), 0);
}

TEST_F(Lifecycle, TheFirstDrawingLoadIsSkippedAndEachLaterOneReadsTheSettings) {
    Configure("DdeditStyle=2\r\n");
    Init();
    lisp_.TakeCalls();
    DrawingLoaded();
    EXPECT_TRUE(lisp_.calls.empty());
    DrawingLoaded();
    EXPECT_EQ(lisp_.TakeCalls(), kInstallCalls);
    DrawingLoaded();
    EXPECT_EQ(lisp_.TakeCalls(), kInstallCalls);
}

TEST_F(Lifecycle, ALaterDrawingLoadPicksUpAChangedFontMapSetting) {
    Configure("DdeditStyle=0\r\n");
    Init();
    DrawingLoaded();
    Configure("DdeditStyle=0\r\nFontMapFile=" + (folder_ / "other.map").string() + "\r\n");
    DrawingLoaded();
    EXPECT_TRUE(fs::exists(folder_ / "other.map"));
}

TEST_F(Lifecycle, UnloadingGivesTheHostItsEditingBackEvenIfTheStyleChangedMeanwhile) {
    // Changed away from 2 in the configuration while loaded, without being
    // applied: the host's commands are still replaced.
    for (const int changed_to : {2, 0}) {
        Configure("DdeditStyle=2\r\n");
        Init();
        lisp_.TakeCalls();
        CWhConfig::Instance().SetDdeditStyle(changed_to);
        Unload();
        EXPECT_EQ(lisp_.TakeCalls(), kRestoreCalls) << changed_to;
        EXPECT_TRUE(cadhost::hostTextDoubleClickInstalled());
        EXPECT_EQ(cadhost::lookupClass(L"AcDbDoubleClickText"), nullptr);
        EXPECT_EQ(IntVar(L"DTEXTED"), 2);
        EXPECT_EQ(ReadBytes(Ini()), SavedSettings(changed_to));
    }
}

// One row per setting that leaves the host's commands alone: the General
// section (none for no settings file), "DTEXTED" while loaded and after
// unloading (it starts at 2 and is given back as found), and the style saved.
struct PlainStyle {
    const char* general;
    int loaded_dtexted;
    int unloaded_dtexted;
    int saved;
};

class PlainStyles : public Lifecycle, public ::testing::WithParamInterface<PlainStyle> {};

TEST_P(PlainStyles, LoadAndUnloadQueueNothingAndSaveTheStyle) {
    const PlainStyle& row = GetParam();
    if (row.general != nullptr) Configure(row.general);
    Init();
    EXPECT_EQ(IntVar(L"DTEXTED"), row.loaded_dtexted);
    Unload();
    EXPECT_EQ(IntVar(L"DTEXTED"), row.unloaded_dtexted);
    EXPECT_TRUE(lisp_.calls.empty());
    EXPECT_TRUE(cadhost::hostTextDoubleClickInstalled());
    EXPECT_EQ(ReadBytes(Ini()), SavedSettings(row.saved));
}

INSTANTIATE_TEST_SUITE_P(Lifecycle, PlainStyles,
                         ::testing::Values(PlainStyle{"DdeditStyle=1\r\n", 1, 2, 1},
                                           PlainStyle{"DdeditStyle=0\r\n", 2, 2, 0},
                                           PlainStyle{nullptr, 1, 2, 1},
                                           PlainStyle{"DdeditStyle=5\r\n", 2, 2, 5}));

TEST_F(Lifecycle, QuittingWithStyleTwoQueuesNothingAndSavesOnce) {
    Configure("DdeditStyle=2\r\n");
    Init();
    lisp_.TakeCalls();
    PrepareForQuit();
    EXPECT_TRUE(lisp_.calls.empty());
    EXPECT_TRUE(cadhost::hostTextDoubleClickInstalled());
    EXPECT_EQ(ReadBytes(Ini()), SavedSettings(2));

    WriteBytes(Ini(), "changed by hand\r\n");
    Unload();
    EXPECT_TRUE(lisp_.calls.empty());
    EXPECT_EQ(ReadBytes(Ini()), "changed by hand\r\n");
}

TEST_F(Lifecycle, QuittingWithStyleOnePutsDtextedBack) {
    SetShortVar(L"DTEXTED", 0);
    Configure("DdeditStyle=1\r\n");
    Init();
    EXPECT_EQ(IntVar(L"DTEXTED"), 1);
    PrepareForQuit();
    EXPECT_EQ(IntVar(L"DTEXTED"), 0);
    SetShortVar(L"DTEXTED", 2);
    Unload();
    EXPECT_EQ(IntVar(L"DTEXTED"), 2);
}

namespace {

int g_runs = 0;
void CountRun() {
    ++g_runs;
}

}  // namespace

TEST_F(Lifecycle, TheCommandTableRegistersItsRowsInOrderAndGoesAsAGroup) {
    const host::CommandRow rows[] = {
        {L"KRDV_TSTEST", L"TSTEST", 7, &CountRun},
        {L"KRDV_TSTEST2", L"TSTEST2", 1, &CountRun},
    };
    RegisterCommandTable(rows);
    EXPECT_EQ(acDocManagerPtr()->resourceDepth(), 0);
    EXPECT_EQ(ModuleCommands(), (std::vector<std::wstring>{L"KRDV_TSTEST TSTEST 7 -1",
                                                           L"KRDV_TSTEST2 TSTEST2 1 -1"}));
    cadhost::runCommandLine(L"TSTEST2");
    EXPECT_EQ(g_runs, 1);

    RemoveCommandTable();
    EXPECT_TRUE(ModuleCommands().empty());
}

}  // namespace tarsil
