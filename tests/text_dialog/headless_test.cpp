// The module's commands in the host without a window: a command that
// would open an editor says so in one line and ends; DDEDIT names the
// command for a kind of annotation whose editor is elsewhere.
#include <gmock/gmock.h>

#include "cadhost/apdoc/docmanager.h"
#include "cadhost/editor/input.h"
#include "cadhost/editor/selection.h"
#include "cadhost/lisp/lisp.h"
#include "cadhost/rx/dynlinker.h"
#include "tests/fonts/test_support.h"
#include "tests/module/host_fixture.h"

namespace tarsil {
namespace {

using ::testing::HasSubstr;

class Headless : public testing::HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        testing::InstallModule(TARSIL_MODULE_FILE, folder_.path());
        WriteBytes(folder_ / "tarsil.ini", "[General]\r\nDdeditStyle=2\r\n");
        ASSERT_NE(acDocManagerPtr()->openDocument(testing::SamplePath()), nullptr);
        ASSERT_TRUE(acrxDynamicLinker->loadModule(Module().c_str(), false));
        cadhost::runLispQueue();
        TakeOutput();
    }
    void TearDown() override {
        acrxDynamicLinker->unloadModule(Module().c_str(), false);
        HostTest::TearDown();
    }
    std::wstring Module() const { return (folder_ / "tarsil2.arx").wstring(); }

    TempFolder folder_;
};

TEST_F(Headless, CommandsThatOpenAnEditorEndWithOneLine) {
    for (const wchar_t* command : {L"TSTT", L"DTEXT", L"TEXT"}) {
        cadhost::runCommandLine(command);
        EXPECT_EQ(TakeOutput(), std::wstring(command) + L" needs the window: run cadhost --gui.\n")
            << "nothing is asked before";
    }
    // DDEDIT learns what was picked first: a text would open the editor.
    cadhost::runCommandLine(L"DDEDIT 36");
    EXPECT_THAT(TakeOutput(), HasSubstr(L"DDEDIT needs the window: run cadhost --gui.\n"));
    EXPECT_FALSE(cadhost::lispQueuePending());
}

// DDEDIT on each kind of annotation: an editor of the module needs the
// window; a kind edited by another command names it.
struct Annotation {
    const char* type;
    const wchar_t* says;
};

class DdeditOnEachKind : public Headless, public ::testing::WithParamInterface<Annotation> {};

TEST_P(DdeditOnEachKind, SaysWhatItNeeds) {
    const std::wstring handle = testing::FirstHandleOf(testing::SamplePath(), GetParam().type);
    ASSERT_FALSE(handle.empty());
    cadhost::runCommandLine(L"DDEDIT " + handle);
    const std::wstring out = TakeOutput();
    EXPECT_THAT(out, HasSubstr(GetParam().says));
}

constexpr wchar_t kNeedsWindow[] = L"DDEDIT needs the window: run cadhost --gui.\n";

INSTANTIATE_TEST_SUITE_P(Headless, DdeditOnEachKind,
                         ::testing::Values(Annotation{"MTEXT", kNeedsWindow},
                                           Annotation{"DIMENSION", kNeedsWindow}),
                         [](const auto& info) { return std::string(info.param.type); });

// The sample's block reference with attributes.
TEST_F(Headless, DdeditOnABlockWithAttributesNeedsTheWindow) {
    cadhost::runCommandLine(L"DDEDIT 52");
    EXPECT_THAT(TakeOutput(), HasSubstr(kNeedsWindow));
}

}  // namespace
}  // namespace tarsil
