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

// One run through every message the host sends, with the host's own LISP
// running what the module queues; what each answer does is checked in process.
TEST_F(LoadedModule, ACopyLoadedAfterAnotherIsUnloadedAnswersTheHostFromItsOwnFolder) {
    // The first copy stays mapped after it is unloaded; the second must
    // still read and write the settings beside itself.
    TempFolder first;
    fs::copy_file(TARSIL_MODULE_FILE, first / "tarsil2.arx");
    WriteBytes(first / "tarsil.ini", "[General]\r\nDdeditStyle=0\r\n");
    const std::wstring first_module = (first / "tarsil2.arx").wstring();
    ASSERT_TRUE(acrxDynamicLinker->loadModule(first_module.c_str(), false));
    ASSERT_TRUE(acrxDynamicLinker->unloadModule(first_module.c_str(), false));
    EXPECT_EQ(ReadBytes(first / "tarsil.ini"), SavedSettings(first.path(), 0));

    ASSERT_NE(acDocManagerPtr()->newDocument(), nullptr);
    Configure(1);
    SetShortVar(L"DTEXTED", 0);
    ASSERT_TRUE(Load());
    EXPECT_EQ(IntVar(L"DTEXTED"), 1);
    // Without a window the sheet can't show: one line, and the command ends.
    TakeOutput();
    cadhost::runCommandLine(L"TSCFG");
    EXPECT_THAT(TakeOutput(), HasSubstr(L"TSCFG needs the window"));

    // A drawing opened after loading reads the settings again.
    Configure(2);
    ASSERT_FALSE(Undefined(L"DDEDIT"));
    ASSERT_NE(acDocManagerPtr()->openDocument(testing::SamplePath()), nullptr);
    cadhost::runLispQueue();
    EXPECT_TRUE(Undefined(L"DDEDIT"));
    EXPECT_EQ(IntVar(L"CMDECHO"), 1) << "the echo turned off for the takeover is back";
    ASSERT_TRUE(Unload());
    cadhost::runLispQueue();
    EXPECT_FALSE(Undefined(L"DDEDIT"));
    EXPECT_EQ(IntVar(L"CMDECHO"), 1);
    EXPECT_EQ(ReadBytes(folder_ / "tarsil.ini"), SavedSettings(folder_.path(), 2));

    // Quitting reaches the module before unloading it: the host's handler
    // is back and no LISP is left for a host that is going.
    ASSERT_TRUE(Load());
    cadhost::runLispQueue();
    EXPECT_FALSE(cadhost::hostTextDoubleClickInstalled());
    cadhost::shutdownHost();
    EXPECT_TRUE(cadhost::hostTextDoubleClickInstalled());
    EXPECT_FALSE(cadhost::lispQueuePending());
}

}  // namespace tarsil
