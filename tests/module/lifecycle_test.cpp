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

TEST_F(Lifecycle, InitialisationAppliesTheStyleAndEachDrawingLoadButTheFirstReadsItAgain) {
    Configure("DdeditStyle=2\r\n");
    Init();
    EXPECT_EQ(lisp_.TakeCalls(), kInstallCalls);
    EXPECT_EQ(ModuleCommands(),
              (std::vector<std::wstring>{L"KRDV_TSTT TSTT 7 -1", L"KRDV_TSTA TSTA 7 -1",
                                         L"KRDV_TSTM TSTM 7 -1", L"KRDV_TSTD TSTD 7 -1",
                                         L"KRDV_TSCFG TSCFG 1 -1"}));
    EXPECT_EQ(acDocManagerPtr()->resourceDepth(), 0);
    DrawingLoaded();
    EXPECT_TRUE(lisp_.calls.empty());
    // A later load reads the file again: the style and the font map.
    Configure("DdeditStyle=2\r\nFontMapFile=" + (folder_ / "other.map").string() + "\r\n");
    DrawingLoaded();
    EXPECT_EQ(lisp_.TakeCalls(), kInstallCalls);
    EXPECT_TRUE(fs::exists(folder_ / "other.map"));
}

TEST_F(Lifecycle, UnloadingGivesTheHostItsEditingBackEvenIfTheStyleChangedMeanwhileAndSaves) {
    // The style configured, the one it was changed to while loaded without
    // being applied (the host's commands stay replaced), "DTEXTED" while
    // loaded (it starts at 2) and what unloading queues.
    const struct {
        int configured, changed_to, loaded_dtexted;
        std::vector<std::wstring> calls;
    } rows[] = {{2, 2, 2, kRestoreCalls}, {2, 0, 2, kRestoreCalls}, {1, 1, 1, {}}};
    for (const auto& row : rows) {
        const auto context = &row - rows;
        Configure("DdeditStyle=" + std::to_string(row.configured) + "\r\n");
        Init();
        lisp_.TakeCalls();
        EXPECT_EQ(IntVar(L"DTEXTED"), row.loaded_dtexted) << context;
        CWhConfig::Instance().SetDdeditStyle(row.changed_to);
        Unload();
        EXPECT_EQ(lisp_.TakeCalls(), row.calls) << context;
        EXPECT_TRUE(cadhost::hostTextDoubleClickInstalled()) << context;
        EXPECT_EQ(cadhost::lookupClass(L"AcDbDoubleClickText"), nullptr) << context;
        EXPECT_TRUE(ModuleCommands().empty()) << context;
        EXPECT_EQ(IntVar(L"DTEXTED"), 2) << context;
        EXPECT_EQ(ReadBytes(Ini()), SavedSettings(row.changed_to)) << context;
    }
}

TEST_F(Lifecycle, QuittingGivesTheHostItsEditingBackAndSavesOnceAndUnloadingThenDoesNothing) {
    for (const int style : {2, 1}) {
        SetShortVar(L"DTEXTED", 0);
        Configure("DdeditStyle=" + std::to_string(style) + "\r\n");
        Init();
        lisp_.TakeCalls();
        PrepareForQuit();
        // Quitting, the host takes its commands back by itself: no LISP.
        EXPECT_TRUE(lisp_.calls.empty()) << style;
        EXPECT_TRUE(cadhost::hostTextDoubleClickInstalled()) << style;
        EXPECT_EQ(IntVar(L"DTEXTED"), 0) << style;
        EXPECT_EQ(ReadBytes(Ini()), SavedSettings(style)) << style;

        WriteBytes(Ini(), "changed by hand\r\n");
        SetShortVar(L"DTEXTED", 2);
        Unload();
        EXPECT_TRUE(lisp_.calls.empty()) << style;
        EXPECT_EQ(ReadBytes(Ini()), "changed by hand\r\n") << style;
        EXPECT_EQ(IntVar(L"DTEXTED"), 2) << style;
    }
}

}  // namespace tarsil
