// The cadhost program end to end: a script on a sample drawing, a module on
// the command line, bad files and a failed save, and exit codes.  Which
// reason the system gives for which file is the database's; dxftool's own
// refusals are its command-line script's.
#include <gmock/gmock.h>
#include <sys/wait.h>

#include <cstdio>

#include "host_fixture.h"

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;

namespace {
const std::string kSample = std::string(TARSIL_SOURCE_DIR) + "/samples/hebrew_r2000.dxf";
const std::string kDemo = std::string(TARSIL_SOURCE_DIR) + "/samples/scripts/demo";

std::string quoted(const fs::path& p) {
    return "'" + p.string() + "'";
}

struct ProgramRun {
    std::string output;  // standard error too
    int exit_code = -1;  // also when the program did not exit by itself
};

// The program with its arguments and its input typed.
ProgramRun runHost(const std::string& args, const std::string& input = {}) {
    const std::string command = std::string(CADHOST_PROGRAM) + " " + args;
    const std::string line =
        input.empty() ? command + " </dev/null" : "printf '%s' '" + input + "' | " + command;
    ProgramRun run;
    FILE* pipe = popen((line + " 2>&1").c_str(), "r");
    if (pipe == nullptr) return run;
    char buffer[4096];
    for (std::size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        run.output.append(buffer, got);
    const int status = pclose(pipe);
    run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

class ProgramTest : public HostTest {
  protected:
    tarsil::TempFolder dir;
};

// The bundled script lists, turns the UCS, writes a text, saves and quits:
// what is typed after it is never read.  The module loaded at the start is
// told of the quit, then unloaded.
TEST_F(ProgramTest, BundledDemoScriptRunsWithAModuleAndQuits) {
    const ProgramRun r = runHost(
        kDemo + ".dxf --load " + TESTMODULE_PATH + " --script " + kDemo + ".scr", "LIST\nALL\n\n");
    EXPECT_EQ(r.exit_code, 0) << r.output;
    EXPECT_THAT(r.output, Not(HasSubstr("Unknown command")));
    EXPECT_THAT(r.output, Not(HasSubstr("; error")));
    EXPECT_THAT(r.output, HasSubstr("text \"Hello\""));
    EXPECT_THAT(r.output, HasSubstr("Drawing saved as"));
    EXPECT_LT(r.output.rfind("Command: LIST"), r.output.find("Command: QUIT"))
        << "nothing after QUIT";
    std::size_t at = 0;
    for (const char* step :
         {"testmodule: message 1\n", "testmodule: message 13\n", "testmodule: message 2\n"}) {
        at = r.output.find(step, at);
        ASSERT_NE(at, std::string::npos) << step << "in order in " << r.output;
    }
}

TEST_F(ProgramTest, StandardInputWithoutQuitEndsAtTheEndOfInputNamingUnsavedDrawings) {
    ProgramRun r = runHost("", "(+ 40 2)\n");
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_THAT(r.output, HasSubstr("\n42\n"));
    EXPECT_THAT(r.output, Not(HasSubstr("not saved"))) << "nothing was changed";
    r = runHost("", "TEXT\n0,0\n2\n0\nleft behind\n");
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_THAT(r.output, HasSubstr("Changes to \"Drawing1.dxf\" were not saved."));
}

// A drawing that cannot be read, at start and at OPEN (the session goes on).
TEST_F(ProgramTest, AnUnreadableDrawingIsRefusedWithItsReasonEverywhere) {
    const fs::path gone = dir / "gone.dxf";
    ProgramRun r = runHost(quoted(gone));
    EXPECT_EQ(r.exit_code, 2) << r.output;
    EXPECT_THAT(r.output, HasSubstr("cannot open drawing"));
    EXPECT_THAT(r.output, HasSubstr("No such file or directory"));
    r = runHost("", "OPEN\n" + gone.string() + "\n(+ 40 2)\n");
    EXPECT_EQ(r.exit_code, 0) << r.output;
    EXPECT_THAT(r.output, HasSubstr("Unable to open \"" + gone.string() + "\": "));
    EXPECT_THAT(r.output, HasSubstr("\n42\n"));
}

// When the folder of an open drawing is gone, SAVE says so and the drawing
// stays open.
TEST_F(ProgramTest, SaveIntoAVanishedFolderSaysWhy) {
    const fs::path file = dir / "drawing.dxf";
    fs::copy_file(kSample, file);
    ASSERT_NE(acDocManagerPtr()->openDocument(file), nullptr);
    fs::remove_all(dir.path());
    run({L"SAVE", L"(+ 40 2)"});
    EXPECT_TRUE(printed(L"Unable to save the drawing: ")) << outUtf8();
    EXPECT_TRUE(printed(L"\n42\n"));
    EXPECT_NE(curDoc(), nullptr);
}

}  // namespace
