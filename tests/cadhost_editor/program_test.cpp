// The cadhost program end to end: scripts on a sample drawing, modules on
// the command line, and its exit codes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "program_run.h"

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;

namespace {
using cadhost_test::ProgramRun;

ProgramRun runHost(const std::string& args, const std::string& input = {}) {
    const std::string command = std::string(CADHOST_PROGRAM) + " " + args;
    return cadhost_test::RunShell(input.empty() ? command
                                                : "printf '%s' '" + input + "' | " + command);
}

std::string sample(const char* name) {
    return std::string(TARSIL_SOURCE_DIR) + "/samples/scripts/" + name;
}

class ProgramTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("cadhost_prog_" + std::to_string(::getpid()));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string write(const std::string& name, const std::string& text) {
        const fs::path p = dir / name;
        std::ofstream(p) << text;
        return p.string();
    }
    fs::path dir;
};
}  // namespace

TEST_F(ProgramTest, DemoScriptListsMovesTheUcsSavesAndQuits) {
    const std::string saved = (dir / "demo-out.dxf").string();
    const std::string script = write("demo.scr",
                                     "LIST\nALL\n\nUCS\nZ\n90\n(getvar \"UCSXDIR\")\n"
                                     "SAVEAS\n" +
                                         saved + "\nQUIT\nLIST\n");
    const ProgramRun r = runHost(sample("demo.dxf") + " --script " + script);
    EXPECT_EQ(r.exit_code, 0) << r.output;
    EXPECT_THAT(r.output, HasSubstr("Command: LIST"));
    EXPECT_THAT(r.output, HasSubstr("text \"Hello\""));
    EXPECT_THAT(r.output, HasSubstr("(0.0 1.0 0.0)"));
    EXPECT_THAT(r.output, HasSubstr("Drawing saved as"));
    EXPECT_EQ(r.output.rfind("Command: LIST"), r.output.find("Command: LIST"))
        << "nothing after QUIT";
    EXPECT_TRUE(fs::exists(saved));
}

TEST_F(ProgramTest, BundledDemoScriptRuns) {
    const ProgramRun r = runHost(sample("demo.dxf") + " --script " + sample("demo.scr"));
    EXPECT_EQ(r.exit_code, 0) << r.output;
    EXPECT_THAT(r.output, Not(HasSubstr("Unknown command")));
    EXPECT_THAT(r.output, Not(HasSubstr("; error")));
}

TEST_F(ProgramTest, StandardInputWithoutQuitEndsAtTheEndOfInputNamingUnsavedDrawings) {
    ProgramRun r = runHost("", "(+ 40 2)\nNOSUCH\n\n");
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_THAT(r.output, HasSubstr("\n42\n"));
    EXPECT_THAT(r.output, HasSubstr("Unknown command \"NOSUCH\""));
    EXPECT_THAT(r.output, Not(HasSubstr("not saved"))) << "nothing was changed";
    r = runHost("", "TEXT\n0,0\n2\n0\nleft behind\n");
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_THAT(r.output, HasSubstr("Changes to \"Drawing1.dxf\" were not saved."));
}

TEST_F(ProgramTest, ModuleLoadedFromTheCommandLine) {
    const ProgramRun r = runHost(std::string("--load ") + TESTMODULE_PATH, "TMLISP\nQUIT\n");
    EXPECT_EQ(r.exit_code, 0) << r.output;
    const auto init = r.output.find("testmodule: message 1");
    const auto invoke = r.output.find("testmodule: invoked 7");
    const auto preQuit = r.output.find("testmodule: message 13");
    const auto unload = r.output.find("testmodule: message 2\n");
    ASSERT_NE(init, std::string::npos) << r.output;
    ASSERT_NE(invoke, std::string::npos);
    ASSERT_NE(preQuit, std::string::npos);
    ASSERT_NE(unload, std::string::npos);
    EXPECT_LT(init, invoke);
    EXPECT_LT(invoke, preQuit);
    EXPECT_LT(preQuit, unload);
}

// A drawing that cannot be read is the bad input test's.
TEST_F(ProgramTest, AModuleOrScriptThatCannotBeUsedStopsTheStartWithAMessage) {
    ProgramRun r = runHost(std::string("--load ") + NOENTRY_PATH, "QUIT\n");
    EXPECT_NE(r.exit_code, 0);
    EXPECT_THAT(r.output, HasSubstr("acrxEntryPoint"));
    r = runHost("--script " + (dir / "none.scr").string());
    EXPECT_NE(r.exit_code, 0);
    EXPECT_THAT(r.output, HasSubstr("none.scr"));
}
