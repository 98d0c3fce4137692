// The rows end to end: the cadhost program opens the test drawing, loads
// the probe module, runs a script of row operations and saves the drawing,
// which is then measured here.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "entity_fixture.h"

namespace entops_test {
namespace {

namespace fs = std::filesystem;

class ProgramTest : public EntityTest {
  protected:
    void SetUp() override {
        EntityTest::SetUp();
        dir = fs::temp_directory_path() /
              ("entops_prog_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
        saved = (dir / "out.dxf").string();
    }
    void TearDown() override {
        fs::remove_all(dir);
        EntityTest::TearDown();
    }

    // Runs the script lines (the save and quit are added) and opens the
    // saved drawing as the current one.
    void Run(const std::vector<std::wstring>& lines) {
        const fs::path script = dir / "run.scr";
        {
            std::ofstream s(script);
            for (const auto& l : lines) s << Narrow(l) << "\n";
            s << "SAVEAS\n" << saved << "\nQUIT\n";
        }
        const std::string command = std::string(CADHOST_PROGRAM) + " " + DrawingPath() +
                                    " --load " + PROBE_MODULE + " --script " + script.string() +
                                    " 2>&1";
        FILE* pipe = popen(command.c_str(), "r");
        ASSERT_NE(pipe, nullptr);
        char buf[4096];
        std::size_t n;
        transcript.clear();
        while ((n = fread(buf, 1, sizeof buf, pipe)) > 0) transcript.append(buf, n);
        const int status = pclose(pipe);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << transcript;
        ASSERT_NE(acDocManagerPtr()->openDocument(saved), nullptr) << transcript;
    }
    bool Said(const std::string& text) const { return transcript.find(text) != std::string::npos; }

    fs::path dir;
    std::string saved;
    std::string transcript;
};

TEST_F(ProgramTest, RotatedRowsAlignRightAndTakeTheLineDistance) {
    std::vector<std::wstring> handles;
    double right = -1e300;
    for (const wchar_t* s : {L"alpha", L"bb", L"gamma delta"}) {
        handles.push_back(Handle(Text(s)));
        right = std::max(right, Extents(Text(s)).maxX);
    }
    Run({L"EOROWS", handles[0], handles[1], handles[2], L"", L"EOALIGN", L"R", L"EOSPACE", L"1.5"});
    EXPECT_TRUE(Said("eoprobe: rows 3")) << transcript;
    EXPECT_TRUE(Said("eoprobe: align 1"));
    EXPECT_TRUE(Said("eoprobe: space 1"));
    const AcDbObjectId a = Text(L"alpha"), b = Text(L"bb"), c = Text(L"gamma delta");
    for (AcDbObjectId id : {a, b, c}) EXPECT_NEAR(Extents(id).maxX, right, 1e-6);
    EXPECT_NEAR(Extents(b).maxY, Extents(a).minY - 1.5, 1e-6);
    EXPECT_NEAR(Extents(c).maxY, Extents(b).minY - 1.5, 1e-6);
}

TEST_F(ProgramTest, RestoresTakeBackAlignmentAndInnerSpacing) {
    std::vector<std::wstring> handles;
    std::vector<Snapshot> before;
    for (const wchar_t* s : {L"alpha", L"bb", L"gamma delta"}) {
        handles.push_back(Handle(Text(s)));
        before.push_back(Snap(Text(s)));
    }
    Run({L"EOROWS", handles[0], handles[1], handles[2], L"", L"EOALIGN", L"L", L"EOEQUAL",
         L"EOSPACE", L"4", L"EORESTH", L"EORESTV"});
    EXPECT_TRUE(Said("eoprobe: restore x 1")) << transcript;
    EXPECT_TRUE(Said("eoprobe: restore y 1"));
    const Snapshot first = Snap(Text(L"alpha")), middle = Snap(Text(L"bb")),
                   last = Snap(Text(L"gamma delta"));
    EXPECT_NEAR(first.position.x, before[0].position.x, 1e-6);
    EXPECT_NEAR(first.position.y, before[0].position.y, 1e-6) << "the first row never moved";
    EXPECT_TRUE(middle.position.isEqualTo(before[1].position, 1e-6));
    EXPECT_NEAR(last.position.x, before[2].position.x, 1e-6);
    EXPECT_GT(std::abs(last.position.y - before[2].position.y), 0.5)
        << "the last row keeps its spacing";
}

TEST_F(ProgramTest, RestoreAllAfterEveryKindOfChange) {
    const std::wstring fit = Handle(Text(L"fit me")), justify = Handle(Text(L"justify me"));
    const Snapshot fitBefore = Snap(Text(L"fit me")), justifyBefore = Snap(Text(L"justify me"));
    Run({L"EOROWS", fit, justify, L"", L"EOJUST", L"0", L"5", L"0,0", L"20,5", L"EOALIGN", L"C",
         L"EOSPACE", L"3", L"EORESTALL"});
    EXPECT_TRUE(Said("eoprobe: justification 1")) << transcript;
    EXPECT_TRUE(Said("eoprobe: restore all 1"));
    const Snapshot f = Snap(Text(L"fit me")), j = Snap(Text(L"justify me"));
    EXPECT_EQ(f.h, fitBefore.h);
    EXPECT_NEAR(f.widthFactor, fitBefore.widthFactor, 1e-9);
    EXPECT_TRUE(f.position.isEqualTo(fitBefore.position, 1e-6));
    EXPECT_TRUE(j.position.isEqualTo(justifyBefore.position, 1e-6));
    EXPECT_NEAR(j.rotation, justifyBefore.rotation, 1e-9);
}

TEST_F(ProgramTest, FitAsksForTwoPoints) {
    Run({L"EOROWS", Handle(Text(L"fit me")), L"", L"EOJUST", L"0", L"5", L"110,10", L"@20,0"});
    EXPECT_TRUE(Said("Specify first endpoint of text baseline: ")) << transcript;
    EXPECT_TRUE(Said("Specify second endpoint of text baseline: "));
    EXPECT_TRUE(Said("eoprobe: justification 1"));
    const Snapshot s = Snap(Text(L"fit me"));
    EXPECT_EQ(s.h, 5);
    EXPECT_TRUE(s.position.isEqualTo(AcGePoint3d(110, 10, 0), 1e-9));
    EXPECT_TRUE(s.alignment.isEqualTo(AcGePoint3d(130, 10, 0), 1e-9));
    EXPECT_NEAR(s.widthFactor, 0.3, 1e-9);
}

TEST_F(ProgramTest, EscapeAtTheSecondPointLeavesTheTextAsItWas) {
    const Snapshot before = Snap(Text(L"fit me"));
    const Snapshot middleBefore = Snap(Text(L"middle me"));
    Run({L"EOROWS", Handle(Text(L"fit me")), Handle(Text(L"middle me")), L"", L"EOJUST", L"0", L"5",
         L"110,10", L"^C", L"EOINSPT", L"1", L"ESC"});
    EXPECT_TRUE(Said("eoprobe: justification 0")) << transcript;
    EXPECT_TRUE(Said("eoprobe: insertion point 0"));
    const Snapshot after = Snap(Text(L"fit me"));
    EXPECT_EQ(after.h, before.h);
    EXPECT_TRUE(after.position.isEqualTo(before.position, 1e-9));
    EXPECT_NEAR(after.widthFactor, before.widthFactor, 1e-12);
    EXPECT_TRUE(Snap(Text(L"middle me")).alignment.isEqualTo(middleBefore.alignment, 1e-9));
}

}  // namespace
}  // namespace entops_test
