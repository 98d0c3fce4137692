// The built module tarsil2.arx loaded into the host of this process by the
// host's dynamic linker, from a folder of the test's own.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cadhost/apdoc/docmanager.h"
#include "cadhost/editor/commandstack.h"
#include "cadhost/editor/dblclick.h"
#include "cadhost/editor/input.h"
#include "cadhost/editor/selection.h"
#include "cadhost/lisp/lisp.h"
#include "cadhost/rx/dynlinker.h"
#include "tests/fonts/test_support.h"
#include "tests/module/host_fixture.h"

namespace tarsil {

namespace fs = std::filesystem;

namespace {

using testing::FirstHandleOf;
using ::testing::HasSubstr;
using ::testing::Not;
using testing::SamplePath;
using testing::SavedSettings;

const wchar_t* const kTextCommands[] = {L"DDEDIT", L"DTEXT", L"TEXT"};

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
    static void OpenSample() { ASSERT_NE(acDocManagerPtr()->openDocument(SamplePath()), nullptr); }
    static bool Undefined(const wchar_t* command) {
        const cadhost::HostCommand* found = cadhost::findHostCommand(command);
        return found != nullptr && found->undefined;
    }

    TempFolder folder_;
};

}  // namespace

TEST_F(LoadedModule, LoadsWithoutADrawingItsCommandsNeedAWindowAndDtextedComesBack) {
    SetShortVar(L"DTEXTED", 0);
    Configure(1);
    ASSERT_TRUE(Load());
    EXPECT_THAT(output_, HasSubstr(L"Module \"" + ModuleFile() + L"\" loaded."));
    EXPECT_EQ(IntVar(L"DTEXTED"), 1);
    // Without a window the sheet can't show: one line, and the command ends.
    TakeOutput();
    cadhost::runCommandLine(L"TSCFG");
    EXPECT_THAT(TakeOutput(), HasSubstr(L"TSCFG needs the window"));
    ASSERT_TRUE(Unload());
    EXPECT_EQ(IntVar(L"DTEXTED"), 0);
    for (const AcEdCommand* command : acedRegCmdsPtr()->commands()) {
        EXPECT_NE(std::wstring(command->groupName()), L"KRDV_TARSIL");
    }
}

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
    ASSERT_TRUE(Unload());
    EXPECT_EQ(ReadBytes(folder_ / "tarsil.ini"), SavedSettings(folder_.path(), 1));
    EXPECT_EQ(ReadBytes(first / "tarsil.ini"), SavedSettings(first.path(), 0));
}

TEST_F(LoadedModule, StyleTwoReplacesTheHostsTextCommandsUntilUnloaded) {
    OpenSample();
    Configure(2);
    ASSERT_TRUE(Load());
    EXPECT_TRUE(cadhost::lispQueuePending());
    cadhost::runLispQueue();
    for (const wchar_t* command : kTextCommands) EXPECT_TRUE(Undefined(command)) << command;
    EXPECT_EQ(IntVar(L"CMDECHO"), 1);
    EXPECT_EQ(cadhost::lispVariable(L"__cmdecho"), L"1");
    EXPECT_EQ(IntVar(L"DTEXTED"), 2);

    // The replacement answers in the host's place.
    TakeOutput();
    cadhost::runCommandLine(L"DTEXT");
    EXPECT_THAT(output_, HasSubstr(L"DTEXT needs the window"));
    EXPECT_THAT(output_, Not(HasSubstr(L"Specify start point")));

    ASSERT_TRUE(Unload());
    cadhost::runLispQueue();
    for (const wchar_t* command : kTextCommands) EXPECT_FALSE(Undefined(command)) << command;
}

TEST_F(LoadedModule, ADrawingOpenedAfterLoadingReadsTheSettingsAgainAndQuittingLeavesNothing) {
    ASSERT_NE(acDocManagerPtr()->newDocument(), nullptr);
    Configure(2);
    ASSERT_TRUE(Load());
    cadhost::runLispQueue();
    cadhost::runCommandLine(L".REDEFINE DDEDIT");
    ASSERT_FALSE(Undefined(L"DDEDIT"));
    OpenSample();
    cadhost::runLispQueue();
    EXPECT_TRUE(Undefined(L"DDEDIT"));
    cadhost::shutdownHost();
    EXPECT_FALSE(cadhost::lispQueuePending());
    EXPECT_TRUE(cadhost::hostTextDoubleClickInstalled());
    EXPECT_NE(ReadBytes(folder_ / "tarsil.ini").find("DdeditStyle=2\r\n"), std::string::npos);
}

// The module's handler answers a double-click while loaded with style 2,
// the host's own afterwards or with another style. What the handler does
// with each kind of text is checked in process.
TEST_F(LoadedModule, ADoubleClickReachesTheHostOnlyWithoutStyleTwo) {
    OpenSample();
    const AcDbObjectId text = cadhost::entityByHandle(FirstHandleOf(SamplePath(), "TEXT"));
    for (const int style : {2, 1}) {
        Configure(style);
        ASSERT_TRUE(Load());
        cadhost::runLispQueue();
        cadhost::setPickfirst({text});
        TakeOutput();
        cadhost::pushInput(L"");
        EXPECT_TRUE(cadhost::doubleClick(text, AcGePoint3d()));
        EXPECT_EQ(cadhost::pickfirstIds().empty(), style == 2) << style;
        EXPECT_EQ(TakeOutput().find(L"Enter new text") != std::wstring::npos, style != 2) << style;
        ASSERT_TRUE(Unload());
        cadhost::runLispQueue();
        cadhost::pushInput(L"");
        EXPECT_TRUE(cadhost::doubleClick(text, AcGePoint3d()));
        EXPECT_THAT(TakeOutput(), HasSubstr(L"Enter new text")) << style;
    }
    EXPECT_TRUE(alerts_.empty());
}

}  // namespace tarsil
