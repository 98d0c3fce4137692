// Saving a drawing: the file replaced whole or not at all, links followed,
// permissions kept.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "tests/cadhost_db/db_fixture.h"
#include "tests/fonts/file_size_limit.h"

using namespace cadhost_test;
namespace fs = std::filesystem;

namespace {

void write(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

class Save : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::remove_all(dir);
        fs::create_directories(dir / "drawings");
        ASSERT_EQ(db.readDxfBuffer(kGood), Acad::eOk);
    }
    void TearDown() override { fs::remove_all(dir); }
    // One folder per process: ctest runs the cases side by side.
    const fs::path dir =
        fs::path(TARSIL_BINARY_DIR) / ("cadhost_db_save_test_" + std::to_string(::getpid()));
    AcDbDatabase db{false};
};

}  // namespace

TEST_F(Save, ReplacesTheTargetAndAFailedSaveKeepsTheOldFile) {
    fs::create_directories(dir / "target_is_a_dir");
    fs::path out = dir / "out.dxf";
    write(out, "old contents");
    ASSERT_EQ(db.dxfOut(out), Acad::eOk) << db.lastErrorMessage();
    EXPECT_EQ(ReadBytes(out.string()), kGood);
    EXPECT_EQ(db.filename(), out);

    // Renaming over a folder fails: nothing else is left behind.  Each
    // failure says the system's reason.
    EXPECT_EQ(db.dxfOut(dir / "target_is_a_dir"), Acad::eFileAccessErr);
    EXPECT_NE(db.lastErrorMessage().find("cannot save: Is a directory"), std::string::npos)
        << db.lastErrorMessage();
    EXPECT_TRUE(fs::is_directory(dir / "target_is_a_dir"));
    EXPECT_EQ(db.dxfOut(dir / "no" / "such" / "dir.dxf"), Acad::eFileAccessErr);
    EXPECT_NE(db.lastErrorMessage().find("cannot save: No such file or directory"),
              std::string::npos);
    // A disk that fills up part-way through the new drawing.
    {
        tarsil::FileSizeLimit full_disk(kGood.size() / 2);
        write(out, "old contents");
        EXPECT_EQ(db.dxfOut(out), Acad::eFileAccessErr);
    }
    EXPECT_NE(db.lastErrorMessage().find("cannot save: File too large"), std::string::npos);
    EXPECT_EQ(ReadBytes(out.string()), "old contents");
    int files = 0;
    for (auto& e : fs::directory_iterator(dir)) files += e.is_regular_file();
    EXPECT_EQ(files, 1);
}

// A link to a drawing stays a link, as the user made it, and the drawing it
// names (through a chain of links, relative or not) gets the new contents.
TEST_F(Save, OverASymbolicLinkReplacesTheDrawingItNames) {
    const fs::path real = dir / "drawings" / "plan.dxf";
    write(real, "old contents");
    fs::create_symlink("drawings/plan.dxf", dir / "link.dxf");
    fs::create_symlink(dir / "link.dxf", dir / "chain.dxf");
    for (const char* name : {"link.dxf", "chain.dxf"}) {
        write(real, "old contents");
        ASSERT_EQ(db.dxfOut(dir / name), Acad::eOk) << db.lastErrorMessage();
        EXPECT_EQ(ReadBytes(real.string()), kGood) << name;
        EXPECT_EQ(db.filename(), dir / name);
    }
    EXPECT_EQ(fs::read_symlink(dir / "link.dxf"), "drawings/plan.dxf");
    EXPECT_EQ(fs::read_symlink(dir / "chain.dxf"), dir / "link.dxf");
    // A dangling link makes its drawing where it points.
    fs::create_symlink("drawings/new.dxf", dir / "dangling.dxf");
    ASSERT_EQ(db.dxfOut(dir / "dangling.dxf"), Acad::eOk) << db.lastErrorMessage();
    EXPECT_TRUE(fs::is_symlink(dir / "dangling.dxf"));
    EXPECT_EQ(ReadBytes((dir / "drawings" / "new.dxf").string()), kGood);
}

TEST_F(Save, KeepsTheDrawingsPermissionsAndANewOneFollowsTheUmask) {
    const fs::path out = dir / "drawings" / "plan.dxf";
    for (mode_t mode : {0600, 0640, 0664, 0755}) {
        write(out, "old contents");
        ASSERT_EQ(::chmod(out.c_str(), mode), 0);
        ASSERT_EQ(db.dxfOut(out), Acad::eOk) << db.lastErrorMessage();
        struct stat st {};
        ASSERT_EQ(::stat(out.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, mode);
    }
    const mode_t old_mask = ::umask(027);
    ASSERT_EQ(db.dxfOut(dir / "drawings" / "new.dxf"), Acad::eOk);
    ::umask(old_mask);
    struct stat st {};
    ASSERT_EQ(::stat((dir / "drawings" / "new.dxf").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

// The folder would let a new file be renamed over it, but the user made the
// drawing read-only: it is left alone.  Run as another user than root,
// who may write anything.
TEST_F(Save, AReadOnlyDrawingIsLeftAlone) {
    const fs::path out = dir / "drawings" / "plan.dxf";
    write(out, "old contents");
    ASSERT_EQ(::chmod(out.c_str(), 0444), 0);
    ASSERT_EQ(::chmod((dir / "drawings").c_str(), 0777), 0);
    EXPECT_EXIT(
        {
            if (::geteuid() == 0 && ::seteuid(65534) != 0) std::_Exit(2);
            const bool refused =
                db.dxfOut(out) == Acad::eFileAccessErr &&
                db.lastErrorMessage().find("Permission denied") != std::string::npos;
            std::_Exit(refused ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(ReadBytes(out.string()), "old contents");
}
