// Bad files and failed saves, in the host program (at start, at OPEN, at
// SAVEAS) and in dxftool: each says why with the system's reason, ends
// with the documented exit code, and overwrites nothing.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cadhost/rx/wide.h"
#include "host_fixture.h"
#include "program_run.h"

namespace fs = std::filesystem;
using ::testing::HasSubstr;

namespace {
using cadhost_test::ProgramRun;

const std::string kSample = std::string(TARSIL_SOURCE_DIR) + "/samples/hebrew_r2000.dxf";

std::string fileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string quoted(const fs::path& p) {
    return "'" + p.string() + "'";
}

class BadInputTest : public ::testing::Test {
  public:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("cadhost_bad_" + std::to_string(::getpid()));
        fs::create_directories(dir);
    }
    void TearDown() override {
        unlockFolder();
        fs::remove_all(dir);
    }
    fs::path write(const std::string& name, const std::string& bytes) {
        std::ofstream(dir / name, std::ios::binary) << bytes;
        return dir / name;
    }
    // A folder nobody may create files in; root needs the immutable flag,
    // which permissions do not stop.
    fs::path lockedFolder() {
        locked = dir / "locked";
        fs::create_directories(locked);
        std::ofstream(locked / "old.dxf") << "old";
        const std::string how = ::geteuid() == 0 ? "chattr +i " : "chmod 555 ";
        EXPECT_EQ(cadhost_test::RunShell(how + quoted(locked)).exit_code, 0);
        return locked;
    }
    void unlockFolder() {
        if (locked.empty()) return;
        cadhost_test::RunShell((::geteuid() == 0 ? "chattr -i " : "chmod 755 ") + quoted(locked));
        locked.clear();
    }
    fs::path dir, locked;
};

struct ReadCase {
    const char* name;
    std::function<fs::path(BadInputTest&)> make;
    const char* reason;
};

class UnreadableDrawingTest : public BadInputTest,
                              public ::testing::WithParamInterface<ReadCase> {};

TEST_P(UnreadableDrawingTest, RefusedWithTheReasonEverywhere) {
    const ReadCase& c = GetParam();
    const fs::path bad = c.make(*this);
    const std::string host = std::string(CADHOST_PROGRAM) + " ";

    ProgramRun r = cadhost_test::RunShell(host + quoted(bad) + " </dev/null");
    EXPECT_EQ(r.exit_code, 2) << r.output;
    EXPECT_THAT(r.output, HasSubstr(c.reason));

    const std::string script = "OPEN\n" + bad.string() + "\n(+ 40 2)\n";
    r = cadhost_test::RunShell("printf '%s' '" + script + "' | " + host);
    EXPECT_EQ(r.exit_code, 0) << "the session goes on: " << r.output;
    EXPECT_THAT(r.output, HasSubstr(c.reason));
    EXPECT_THAT(r.output, HasSubstr("Unable to open"));
    EXPECT_THAT(r.output, HasSubstr("\n42\n"));

    r = cadhost_test::RunShell(std::string(DXFTOOL_PROGRAM) + " roundtrip " + quoted(bad) + " " +
                               quoted(dir / "out.dxf"));
    EXPECT_EQ(r.exit_code, 1) << r.output;
    EXPECT_THAT(r.output, HasSubstr(c.reason));
    EXPECT_FALSE(fs::exists(dir / "out.dxf"));
}

INSTANTIATE_TEST_SUITE_P(
    Files, UnreadableDrawingTest,
    ::testing::Values(
        ReadCase{"Folder", [](BadInputTest& t) { return t.dir; }, "Is a directory"},
        ReadCase{"Missing", [](BadInputTest& t) { return t.dir / "gone.dxf"; },
                 "No such file or directory"},
        ReadCase{"ReadFails", [](BadInputTest&) { return fs::path("/proc/self/mem"); },
                 "Input/output error"},
        ReadCase{"CarriageReturnsAlone",
                 [](BadInputTest& t) {
                     return t.write("cr.dxf", "  0\rSECTION\r  2\rHEADER\r  0\rENDSEC\r  0\rEOF\r");
                 },
                 "lines end in CR alone"},
        ReadCase{"Empty", [](BadInputTest& t) { return t.write("empty.dxf", ""); }, "empty file"}),
    [](const auto& info) { return std::string(info.param.name); });

struct SaveCase {
    const char* name;
    // The shell prefix that sets the scene, and the target of the save.
    std::function<std::pair<std::string, fs::path>(BadInputTest&)> make;
    std::vector<std::string> reasons;  // one of them
};

class FailedSaveTest : public BadInputTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(FailedSaveTest, SaysWhyAndKeepsTheOldFile) {
    const SaveCase& c = GetParam();
    const auto [prefix, target] = c.make(*this);
    const bool existed = fs::exists(target);
    const std::string before = existed ? fileBytes(target) : "";
    auto saidWhy = [&](const std::string& output) {
        for (const std::string& reason : c.reasons)
            if (output.find("cannot save: " + reason) != std::string::npos) return true;
        return false;
    };

    const std::string script = "SAVEAS\n" + target.string() + "\n(+ 40 2)\n";
    ProgramRun r = cadhost_test::RunShell(prefix + "printf '%s' '" + script + "' | " +
                                          CADHOST_PROGRAM + " " + kSample);
    EXPECT_EQ(r.exit_code, 0) << r.output;
    EXPECT_TRUE(saidWhy(r.output)) << r.output;
    EXPECT_THAT(r.output, HasSubstr("Unable to save the drawing"));
    EXPECT_THAT(r.output, HasSubstr("\n42\n")) << "the session goes on";

    r = cadhost_test::RunShell(prefix + DXFTOOL_PROGRAM + " roundtrip " + kSample + " " +
                               quoted(target));
    EXPECT_EQ(r.exit_code, 1) << r.output;
    EXPECT_TRUE(saidWhy(r.output)) << r.output;

    EXPECT_EQ(fs::exists(target), existed);
    if (existed) {
        EXPECT_EQ(fileBytes(target), before);
    }
    if (!fs::is_directory(target.parent_path())) return;
    for (const auto& entry : fs::directory_iterator(target.parent_path()))
        EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos)
            << "left behind: " << entry.path();
}

INSTANTIATE_TEST_SUITE_P(
    Targets, FailedSaveTest,
    ::testing::Values(SaveCase{"FileSizeLimit",
                               [](BadInputTest& t) {
                                   return std::make_pair(std::string("ulimit -f 8; "),
                                                         t.write("old.dxf", "the old drawing"));
                               },
                               {"File too large"}},
                      SaveCase{"ReadOnlyFolder",
                               [](BadInputTest& t) {
                                   return std::make_pair(std::string(),
                                                         t.lockedFolder() / "old.dxf");
                               },
                               {"Permission denied", "Operation not permitted"}},
                      SaveCase{"FolderGone",
                               [](BadInputTest& t) {
                                   return std::make_pair(std::string(), t.dir / "gone" / "new.dxf");
                               },
                               {"No such file or directory"}},
                      SaveCase{"TargetIsAFolder",
                               [](BadInputTest& t) {
                                   fs::create_directories(t.dir / "taken.dxf");
                                   return std::make_pair(std::string(), t.dir / "taken.dxf");
                               },
                               {"Is a directory"}}),
    [](const auto& info) { return std::string(info.param.name); });

// A drawing whose file is deleted while it is open saves again where it
// was; when its folder went too, SAVE says so and the drawing stays open.
class VanishedFileTest : public HostTest {};

TEST_F(VanishedFileTest, SaveRecreatesTheFileOrSaysWhy) {
    const fs::path folder =
        fs::temp_directory_path() / ("cadhost_vanish_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const fs::path file = folder / "drawing.dxf";
    fs::copy_file(kSample, file);
    ASSERT_NE(acDocManagerPtr()->openDocument(file), nullptr);
    fs::remove(file);
    run({L"SAVE"});
    EXPECT_EQ(fileBytes(file), fileBytes(kSample)) << cadhost::toUtf8(out);
    fs::remove_all(folder);
    out.clear();
    run({L"SAVE", L"(+ 40 2)"});
    EXPECT_NE(out.find(L"cannot save: No such file or directory"), std::wstring::npos)
        << cadhost::toUtf8(out);
    EXPECT_NE(out.find(L"\n42\n"), std::wstring::npos);
    EXPECT_NE(curDoc(), nullptr);
}
}  // namespace
