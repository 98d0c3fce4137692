// The built module tarsil2.arx loaded into the host of this process by the
// host's dynamic linker, from a folder of the test's own.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cadhost/apdoc/docmanager.h"
#include "cadhost/editor/commandstack.h"
#include "cadhost/editor/dblclick.h"
#include "cadhost/lisp/lisp.h"
#include "cadhost/rx/dynlinker.h"
#include "tests/fonts/test_support.h"
#include "tests/module/host_fixture.h"

namespace tarsil {

namespace fs = std::filesystem;

namespace {

using ::testing::HasSubstr;
using testing::SavedSettings;

class LoadedModule : public testing::HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        testing::InstallModule(TARSIL_MODULE_FILE, folder_.path());
    }

    void Configure(int style) {
        WriteBytes(folder_ / "tarsil.ini",
                   "[General]\r\nDdeditStyle=" + std::to_string(style) + "\r\n");
    }
    std::wstring ModuleFile() const { return (folder_ / "tarsil2.arx").wstring(); }
    bool Load() { return acrxDynamicLinker->loadModule(ModuleFile().c_str(), true); }
    bool Unload() { return acrxDynamicLinker->unloadModule(ModuleFile().c_str(), true); }
    static bool Undefined(const wchar_t* command) {
        const cadhost::HostCommand* found = cadhost::findHostCommand(command);
        return found != nullptr && found->undefined;
    }

    TempFolder folder_;
};

}  // namespace

TEST_F(LoadedModule, ACopyLoadedAfterAnotherIsUnloadedUsesItsOwnFolder) {
    // The first copy stays mapped after it is unloaded; the second must
    // still read and write the settings beside itself.
    TempFolder first;
    fs::copy_file(TARSIL_MODULE_FILE, first / "tarsil2.arx");
    WriteBytes(first / "tarsil.ini", "[General]\r\nDdeditStyle=0\r\n");
    const std::wstring first_module = (first / "tarsil2.arx").wstring();
    ASSERT_TRUE(acrxDynamicLinker->loadModule(first_module.c_str(), false));
    ASSERT_TRUE(acrxDynamicLinker->unloadModule(first_module.c_str(), false));

    Configure(1);
    SetShortVar(L"DTEXTED", 0);
    ASSERT_TRUE(Load());
    EXPECT_EQ(IntVar(L"DTEXTED"), 1);
    // Without a window the sheet can't show: one line, and the command ends.
    TakeOutput();
    cadhost::runCommandLine(L"TSCFG");
    EXPECT_THAT(TakeOutput(), HasSubstr(L"TSCFG needs the window"));
    ASSERT_TRUE(Unload());
    EXPECT_EQ(IntVar(L"DTEXTED"), 0);
    EXPECT_EQ(ReadBytes(folder_ / "tarsil.ini"), SavedSettings(folder_.path(), 1));
    EXPECT_EQ(ReadBytes(first / "tarsil.ini"), SavedSettings(first.path(), 0));
}

TEST_F(LoadedModule, ADrawingOpenedAfterLoadingReadsTheSettingsAgainAndQuittingLeavesNothing) {
    ASSERT_NE(acDocManagerPtr()->newDocument(), nullptr);
    Configure(2);
    ASSERT_TRUE(Load());
    cadhost::runLispQueue();
    cadhost::runCommandLine(L".REDEFINE DDEDIT");
    ASSERT_FALSE(Undefined(L"DDEDIT"));
    ASSERT_NE(acDocManagerPtr()->openDocument(testing::SamplePath()), nullptr);
    cadhost::runLispQueue();
    EXPECT_TRUE(Undefined(L"DDEDIT"));
    // Quitting reaches the module: the host's handler is back.
    cadhost::shutdownHost();
    EXPECT_TRUE(cadhost::hostTextDoubleClickInstalled());
}

}  // namespace tarsil
