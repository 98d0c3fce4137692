// The program with --gui: the same command line in a window, a script
// typed into it, failures reported as without it.
#include <gtest/gtest.h>

#include <string>

#include "tests/cadhost_editor/program_run.h"

namespace {

using cadhost_test::RunShell;

std::string program() {
    return std::string("QT_QPA_PLATFORM=offscreen ") + CADHOST_PROGRAM;
}

std::string sample() {
    return std::string(TARSIL_SOURCE_DIR) + "/samples/hebrew_r2000.dxf";
}

TEST(WindowProgramTest, AScriptIsTypedIntoTheWindowAndQuitEndsIt) {
    const std::string script = testing::TempDir() + "/gui_script.scr";
    ASSERT_EQ(
        RunShell("printf '(+ 40 2)\\nZOOM\\nE\\nLIST\\nALL\\n\\nQUIT\\n' > " + script).exit_code,
        0);
    const auto run = RunShell(program() + " --gui " + sample() + " --script " + script);
    EXPECT_EQ(run.exit_code, 0) << run.output;
    // The command line, echoes included, also went to standard output.
    EXPECT_NE(run.output.find("Command: (+ 40 2)\n42\n"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("Command: ZOOM\n"), std::string::npos);
    EXPECT_EQ(run.output.find("Unknown command"), std::string::npos) << "ZOOM is known in a window";
    EXPECT_NE(run.output.find("Handle ="), std::string::npos);
}

TEST(WindowProgramTest, WithoutTheWindowZoomIsNoCommandAndNothingElseChanges) {
    const std::string script = testing::TempDir() + "/plain_script.scr";
    ASSERT_EQ(RunShell("printf '(+ 40 2)\\nZOOM\\nQUIT\\n' > " + script).exit_code, 0);
    // No display at all: the plain program must not need one.
    const auto run = RunShell("env -u DISPLAY -u QT_QPA_PLATFORM " + std::string(CADHOST_PROGRAM) +
                              " " + sample() + " --script " + script);
    EXPECT_EQ(run.exit_code, 0) << run.output;
    EXPECT_NE(run.output.find("42\n"), std::string::npos);
    EXPECT_NE(run.output.find("Unknown command"), std::string::npos) << run.output;
}

TEST(WindowProgramTest, FailuresEndTheProgramWithTheirStatus) {
    auto run = RunShell(program() + " --gui /nonexistent/drawing.dxf");
    EXPECT_EQ(run.exit_code, 2) << run.output;
    EXPECT_NE(run.output.find("cannot open drawing"), std::string::npos);
    run = RunShell(program() + " --gui " + sample() + " --load /nonexistent/module.arx");
    EXPECT_EQ(run.exit_code, 3) << run.output;
    run = RunShell(program() + " --gui --script /nonexistent/script.scr");
    EXPECT_NE(run.exit_code, 0);
}

}  // namespace
