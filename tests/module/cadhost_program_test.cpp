// The host program cadhost run on the samples with the module loaded and a
// script typed at its command line, as a user would run it.
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
using cadhost_test::ProgramRun;
using testing::FirstHandleOf;
using ::testing::HasSubstr;
using ::testing::Not;
using testing::SamplePath;

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

class CadhostProgram : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::InstallModule(TARSIL_MODULE_FILE, folder_.path());
        text_handle_ = Narrow(FirstHandleOf(SamplePath(), "TEXT"));
        ASSERT_FALSE(text_handle_.empty());
    }

    void Configure(int style) {
        WriteBytes(Ini(), "[General]\r\nDdeditStyle=" + std::to_string(style) + "\r\n");
    }
    fs::path Ini() const { return folder_ / "tarsil.ini"; }
    std::string Module() const { return (folder_ / "tarsil2.arx").string(); }

    // Runs cadhost on the sample with the module and the script lines.
    ProgramRun RunScript(const std::string& script) {
        WriteBytes(folder_ / "run.scr", script);
        return cadhost_test::RunShell(std::string("'") + CADHOST_PROGRAM + "' '" +
                                      SamplePath().string() + "' --load '" + Module() +
                                      "' --script '" + (folder_ / "run.scr").string() + "'");
    }
    std::string SavedSettings(int style) const {
        return testing::SavedSettings(folder_.path(), style);
    }

    TempFolder folder_;
    std::string text_handle_;
};

}  // namespace

TEST_F(CadhostProgram, LoadsTheModulePrintsItAndQuitsCleanly) {
    const ProgramRun run = RunScript("QUIT\n");
    EXPECT_EQ(run.exit_code, 0) << run.output;
    EXPECT_THAT(run.output, HasSubstr("Module \"" + Module() + "\" loaded."));
    EXPECT_THAT(run.output, Not(HasSubstr("Warning")));
    EXPECT_EQ(ReadBytes(Ini()), SavedSettings(1));
}

// Per style: "DTEXTED" while loaded, and whether a double-click and DDEDIT
// reach the host's own text editing.
struct StyleRun {
    int style;
    std::string dtexted;
    bool host_edits;
};

class EachStyle : public CadhostProgram, public ::testing::WithParamInterface<StyleRun> {};

TEST_P(EachStyle, TakesOverTheHostsTextEditingAsConfigured) {
    const StyleRun& expected = GetParam();
    Configure(expected.style);
    const ProgramRun run = RunScript("(getvar \"DTEXTED\")\nDBLCLICK " + text_handle_ +
                                     "\n\nDDEDIT\n\n(getvar \"CMDECHO\")\nQUIT\n");
    EXPECT_EQ(run.exit_code, 0) << run.output;
    EXPECT_THAT(run.output, HasSubstr("Command: (getvar \"DTEXTED\")\n" + expected.dtexted + "\n"));
    EXPECT_EQ(CountOf(run.output, "Enter new text"), expected.host_edits ? 1u : 0u) << run.output;
    EXPECT_EQ(CountOf(run.output, "Select an annotation object"), expected.host_edits ? 1u : 0u)
        << run.output;
    EXPECT_THAT(run.output, HasSubstr("Command: (getvar \"CMDECHO\")\n1\n"));
    EXPECT_THAT(run.output, Not(HasSubstr("Warning")));
    EXPECT_EQ(ReadBytes(Ini()), SavedSettings(expected.style));
}

INSTANTIATE_TEST_SUITE_P(CadhostProgram, EachStyle,
                         ::testing::Values(StyleRun{0, "2", true}, StyleRun{1, "1", true},
                                           StyleRun{2, "2", false}),
                         [](const ::testing::TestParamInfo<StyleRun>& info) {
                             return "Style" + std::to_string(info.param.style);
                         });

TEST_F(CadhostProgram, UnloadingByHandGivesTheTextCommandsBack) {
    Configure(2);
    const ProgramRun run = RunScript("APPLOAD\nU\n" + Module() + "\nDBLCLICK " + text_handle_ +
                                     "\n\nDDEDIT\n\nQUIT\n");
    EXPECT_EQ(run.exit_code, 0) << run.output;
    EXPECT_THAT(run.output, HasSubstr("\" unloaded."));
    EXPECT_EQ(CountOf(run.output, "Enter new text"), 1u) << run.output;
    EXPECT_EQ(CountOf(run.output, "Select an annotation object"), 1u) << run.output;
    EXPECT_EQ(ReadBytes(Ini()), SavedSettings(2));
}

TEST_F(CadhostProgram, ASettingsFileThatCannotBeWrittenIsReportedAtQuit) {
    // A folder in the settings file's place: read as empty, never replaced.
    fs::create_directory(Ini());
    const ProgramRun run = RunScript("(getvar \"DTEXTED\")\nQUIT\n");
    EXPECT_EQ(run.exit_code, 0) << run.output;
    EXPECT_THAT(run.output, HasSubstr("Command: (getvar \"DTEXTED\")\n1\n"));
    EXPECT_EQ(CountOf(run.output, "Cannot write the settings file"), 1u) << run.output;
    EXPECT_TRUE(fs::is_directory(Ini()));
}

}  // namespace tarsil
