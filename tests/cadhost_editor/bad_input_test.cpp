// Bad files and failed saves in the host program (at start, at OPEN, at
// SAVEAS) and in dxftool: each says why, ends with the documented exit code
// and overwrites nothing.  Which reason the system gives for which file is
// the database's own test.
#include <gmock/gmock.h>
#include <unistd.h>

#include "host_fixture.h"
#include "program_run.h"

namespace fs = std::filesystem;
using ::testing::HasSubstr;

namespace {
using cadhost_test::ProgramRun;
using cadhost_test::RunShell;

const std::string kSample = std::string(TARSIL_SOURCE_DIR) + "/samples/hebrew_r2000.dxf";

std::string quoted(const fs::path& p) {
    return "'" + p.string() + "'";
}

class BadInputTest : public HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        fs::create_directories(dir);
    }
    void TearDown() override {
        fs::remove_all(dir);
        HostTest::TearDown();
    }
    const fs::path dir = fs::temp_directory_path() / ("cadhost_bad_" + std::to_string(::getpid()));
};

// One file the system cannot read and one whose bytes are no drawing.
TEST_F(BadInputTest, AnUnreadableDrawingIsRefusedWithItsReasonEverywhere) {
    std::ofstream(dir / "cr.dxf") << "  0\rSECTION\r  2\rHEADER\r  0\rENDSEC\r  0\rEOF\r";
    const std::pair<fs::path, std::string> cases[] = {
        {dir / "gone.dxf", "No such file or directory"}, {dir / "cr.dxf", "lines end in CR alone"}};
    for (const auto& [bad, reason] : cases) {
        ProgramRun r = RunShell(std::string(CADHOST_PROGRAM) + " " + quoted(bad) + " </dev/null");
        EXPECT_EQ(r.exit_code, 2) << r.output;
        EXPECT_THAT(r.output, HasSubstr("cannot open drawing"));
        EXPECT_THAT(r.output, HasSubstr(reason));

        r = RunShell("printf 'OPEN\\n%s\\n(+ 40 2)\\n' " + quoted(bad) + " | " + CADHOST_PROGRAM);
        EXPECT_EQ(r.exit_code, 0) << r.output;
        EXPECT_THAT(r.output, HasSubstr(reason));
        EXPECT_THAT(r.output, HasSubstr("Unable to open"));
        EXPECT_THAT(r.output, HasSubstr("\n42\n")) << "the session goes on";

        r = RunShell(std::string(DXFTOOL_PROGRAM) + " roundtrip " + quoted(bad) + " " +
                     quoted(dir / "out.dxf"));
        EXPECT_EQ(r.exit_code, 1) << r.output;
        EXPECT_THAT(r.output, HasSubstr(reason));
        EXPECT_FALSE(fs::exists(dir / "out.dxf"));
    }
}

// The disk fills up part-way through the new file.
TEST_F(BadInputTest, AFailedSaveSaysWhyAndKeepsTheOldFile) {
    const fs::path old = dir / "old.dxf";
    std::ofstream(old) << "the old drawing";
    ProgramRun r = RunShell("ulimit -f 8; printf 'SAVEAS\\n%s\\n(+ 40 2)\\n' " + quoted(old) +
                            " | " + CADHOST_PROGRAM + " " + kSample);
    EXPECT_EQ(r.exit_code, 0) << r.output;
    EXPECT_THAT(r.output, HasSubstr("cannot save: File too large"));
    EXPECT_THAT(r.output, HasSubstr("Unable to save the drawing"));
    EXPECT_THAT(r.output, HasSubstr("\n42\n")) << "the session goes on";

    r = RunShell("ulimit -f 8; " + std::string(DXFTOOL_PROGRAM) + " roundtrip " + kSample + " " +
                 quoted(old));
    EXPECT_EQ(r.exit_code, 1) << r.output;
    EXPECT_THAT(r.output, HasSubstr("cannot save: File too large"));
    EXPECT_EQ(fileBytes(old), "the old drawing");
}

// A drawing whose file is deleted while it is open saves again where it
// was; when its folder went too, SAVE says so and the drawing stays open.
TEST_F(BadInputTest, SaveRecreatesAVanishedFileOrSaysWhy) {
    const fs::path file = dir / "drawing.dxf";
    fs::copy_file(kSample, file);
    ASSERT_NE(acDocManagerPtr()->openDocument(file), nullptr);
    fs::remove(file);
    run({L"SAVE"});
    EXPECT_EQ(fileBytes(file), fileBytes(kSample)) << outUtf8();
    fs::remove_all(dir);
    out.clear();
    run({L"SAVE", L"(+ 40 2)"});
    EXPECT_TRUE(printed(L"cannot save: No such file or directory")) << outUtf8();
    EXPECT_TRUE(printed(L"\n42\n"));
    EXPECT_NE(curDoc(), nullptr);
}

}  // namespace
