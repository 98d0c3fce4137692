// The cadhost program end to end: scripts on a sample drawing, modules on
// the command line, bad files and failed saves, and exit codes.  Which
// reason the system gives for which file is the database's; dxftool's own
// refusals are its command-line script's.
#include <gmock/gmock.h>

#include "host_fixture.h"
#include "program_run.h"

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;

namespace {
using cadhost_test::ProgramRun;

const std::string kSample = std::string(TARSIL_SOURCE_DIR) + "/samples/hebrew_r2000.dxf";
const std::string kDemo = std::string(TARSIL_SOURCE_DIR) + "/samples/scripts/demo";

std::string quoted(const fs::path& p) {
    return "'" + p.string() + "'";
}

// The program with its arguments, its input typed, after a shell prefix.
ProgramRun runHost(const std::string& args, const std::string& input = {},
                   const std::string& prefix = {}) {
    const std::string command = std::string(CADHOST_PROGRAM) + " " + args;
    return cadhost_test::RunShell(prefix + (input.empty()
                                                ? command + " </dev/null"
                                                : "printf '%s' '" + input + "' | " + command));
}

class ProgramTest : public HostTest {
  protected:
    tarsil::TempFolder dir;
};

// The bundled script lists, turns the UCS, writes a text, saves and quits:
// what is typed after it is never read.
TEST_F(ProgramTest, BundledDemoScriptRunsAndQuits) {
    const ProgramRun r = runHost(kDemo + ".dxf --script " + kDemo + ".scr", "LIST\nALL\n\n");
    EXPECT_EQ(r.exit_code, 0) << r.output;
    EXPECT_THAT(r.output, Not(HasSubstr("Unknown command")));
    EXPECT_THAT(r.output, Not(HasSubstr("; error")));
    EXPECT_THAT(r.output, HasSubstr("text \"Hello\""));
    EXPECT_THAT(r.output, HasSubstr("Drawing saved as"));
    EXPECT_EQ(cadhost_test::CountOf(r.output, "Command: LIST"), 2u) << "nothing after QUIT";
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

// Loaded at start, its command run, then told of the quit and unloaded.
TEST_F(ProgramTest, ModuleLoadedFromTheCommandLine) {
    const ProgramRun r = runHost(std::string("--load ") + TESTMODULE_PATH, "TMLISP\nQUIT\n");
    EXPECT_EQ(r.exit_code, 0) << r.output;
    std::size_t at = 0;
    for (const char* step : {"testmodule: message 1\n", "testmodule: invoked 7\n",
                             "testmodule: message 13\n", "testmodule: message 2\n"}) {
        at = r.output.find(step, at);
        ASSERT_NE(at, std::string::npos) << step << "in order in " << r.output;
    }
}

TEST_F(ProgramTest, AModuleOrScriptThatCannotBeUsedStopsTheStartWithAMessage) {
    ProgramRun r = runHost(std::string("--load ") + NOENTRY_PATH, "QUIT\n");
    EXPECT_NE(r.exit_code, 0);
    EXPECT_THAT(r.output, HasSubstr("acrxEntryPoint"));
    r = runHost("--script " + (dir / "none.scr").string());
    EXPECT_NE(r.exit_code, 0);
    EXPECT_THAT(r.output, HasSubstr("none.scr"));
}

// One file the system cannot read and one whose bytes are no drawing: at
// start and at OPEN (the session goes on).
TEST_F(ProgramTest, AnUnreadableDrawingIsRefusedWithItsReasonEverywhere) {
    std::ofstream(dir / "cr.dxf") << "  0\rSECTION\r  2\rHEADER\r  0\rENDSEC\r  0\rEOF\r";
    const std::pair<fs::path, std::string> cases[] = {
        {dir / "gone.dxf", "No such file or directory"}, {dir / "cr.dxf", "lines end in CR alone"}};
    for (const auto& [bad, reason] : cases) {
        ProgramRun r = runHost(quoted(bad));
        EXPECT_EQ(r.exit_code, 2) << r.output;
        EXPECT_THAT(r.output, HasSubstr("cannot open drawing"));
        EXPECT_THAT(r.output, HasSubstr(reason));
        r = runHost("", "OPEN\n" + bad.string() + "\n(+ 40 2)\n");
        EXPECT_EQ(r.exit_code, 0) << r.output;
        EXPECT_THAT(r.output, HasSubstr("Unable to open \"" + bad.string() + "\": "));
        EXPECT_THAT(r.output, HasSubstr(reason));
        EXPECT_THAT(r.output, HasSubstr("\n42\n"));
    }
}

// A drawing whose file is deleted while it is open saves again where it
// was; when its folder went too, SAVE says so and the drawing stays open.
TEST_F(ProgramTest, SaveRecreatesAVanishedFileOrSaysWhy) {
    const fs::path file = dir / "drawing.dxf";
    fs::copy_file(kSample, file);
    ASSERT_NE(acDocManagerPtr()->openDocument(file), nullptr);
    fs::remove(file);
    run({L"SAVE"});
    EXPECT_EQ(ReadBytes(file), ReadBytes(kSample)) << outUtf8();
    fs::remove_all(dir.path());
    out.clear();
    run({L"SAVE", L"(+ 40 2)"});
    EXPECT_TRUE(printed(L"Unable to save the drawing: ")) << outUtf8();
    EXPECT_TRUE(printed(L"cannot save: No such file or directory"));
    EXPECT_TRUE(printed(L"\n42\n"));
    EXPECT_NE(curDoc(), nullptr);
}

}  // namespace
