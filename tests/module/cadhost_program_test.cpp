// The host program cadhost run on the sample with the module loaded and a
// script typed at its command line, as a user would run it. What the styles
// do in detail is checked in process; here the program's own path is.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "tests/cadhost_editor/program_run.h"
#include "tests/fonts/test_support.h"
#include "tests/module/host_fixture.h"

namespace tarsil {

namespace fs = std::filesystem;

namespace {

using cadhost_test::CountOf;
using ::testing::HasSubstr;
using ::testing::Not;

class CadhostProgram : public ::testing::Test {
  protected:
    void SetUp() override { testing::InstallModule(TARSIL_MODULE_FILE, folder_.path()); }

    fs::path Ini() const { return folder_ / "tarsil.ini"; }
    std::string Module() const { return (folder_ / "tarsil2.arx").string(); }

    // Runs cadhost on the sample with the module and the script lines.
    cadhost_test::ProgramRun RunScript(const std::string& script) {
        WriteBytes(folder_ / "run.scr", script);
        return cadhost_test::RunShell(std::string("'") + CADHOST_PROGRAM + "' '" +
                                      testing::SamplePath().string() + "' --load '" + Module() +
                                      "' --script '" + (folder_ / "run.scr").string() + "'");
    }

    TempFolder folder_;
};

}  // namespace

TEST_F(CadhostProgram, StyleTwoKeepsTheHostsTextEditingUntilTheModuleIsUnloaded) {
    WriteBytes(Ini(), "[General]\r\nDdeditStyle=2\r\n");
    const std::wstring handle = testing::FirstHandleOf(testing::SamplePath(), "TEXT");
    ASSERT_FALSE(handle.empty());
    // A double-click and DDEDIT, once with the module and once without.
    const std::string edits = "DBLCLICK " + std::string(handle.begin(), handle.end()) +
                              "\n\nDDEDIT\n\n(getvar \"CMDECHO\")\n";
    const auto run = RunScript(edits + "APPLOAD\nU\n" + Module() + "\n" + edits + "QUIT\n");
    EXPECT_EQ(run.exit_code, 0) << run.output;
    EXPECT_THAT(run.output, Not(HasSubstr("Warning")));
    // The host's own prompts come once each, after the unloading.
    const std::size_t unloaded = run.output.find("\" unloaded.");
    ASSERT_NE(unloaded, std::string::npos) << run.output;
    for (const char* prompt : {"Enter new text", "Select an annotation object"}) {
        EXPECT_EQ(CountOf(run.output, prompt), 1u) << prompt << "\n" << run.output;
        EXPECT_GT(run.output.find(prompt), unloaded) << prompt;
    }
    // The echo the takeover turned off for its LISP is back each time.
    EXPECT_EQ(CountOf(run.output, "Command: (getvar \"CMDECHO\")\n1\n"), 2u) << run.output;
    EXPECT_EQ(ReadBytes(Ini()), testing::SavedSettings(folder_.path(), 2));
}

}  // namespace tarsil
