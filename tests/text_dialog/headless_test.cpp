// The module's commands in the host without a window: a command that
// would open an editor says so in one line and ends.
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

using ::testing::EndsWith;

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

// Each command line that would open an editor: nothing is asked before the
// line, except what DDEDIT needs to learn what was picked (a text, an MText,
// a dimension, a block with attributes).
TEST_F(Headless, EachCommandThatOpensAnEditorEndsWithOneLine) {
    const std::wstring mtext = testing::FirstHandleOf(testing::SamplePath(), "MTEXT");
    const std::wstring dimension = testing::FirstHandleOf(testing::SamplePath(), "DIMENSION");
    ASSERT_FALSE(mtext.empty() || dimension.empty());
    for (const std::wstring& line : std::vector<std::wstring>{
             L"TSTT", L"DTEXT", L"TEXT", L"TSTM", L"TSTD", L"DDEDIT 36", L"DDEDIT " + mtext,
             L"DDEDIT " + dimension, L"DDEDIT 52", L"TSTA 52"}) {
        cadhost::runCommandLine(line);
        const std::wstring command = line.substr(0, line.find(L' '));
        const std::wstring said = command + L" needs the window: run cadhost --gui.\n";
        if (command == line) {
            EXPECT_EQ(TakeOutput(), said) << "nothing is asked before";
        } else {
            EXPECT_THAT(TakeOutput(), EndsWith(said)) << line;
        }
        EXPECT_FALSE(cadhost::inputPending()) << line;
    }
    EXPECT_FALSE(cadhost::lispQueuePending());
}

}  // namespace
}  // namespace tarsil
