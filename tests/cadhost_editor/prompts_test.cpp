// Prompts and selections, answered from the input queue.  The window a
// point on nothing opens is the window tests' (clicked there).
#include "cadhost/editor/prompts.h"

#include <array>
#include <cmath>

#include "cadhost/editor/commandstack.h"
#include "cadhost/editor/selection.h"
#include "host_fixture.h"

class PromptTest : public HostTest {};

// The answers typed to each prompt in turn and what it returns: points
// relative to the last one or to the base point, angles and distances as
// numbers or by a second point.  Enter and cancelling end each prompt
// alike: the point prompt shows it.
TEST_F(PromptTest, PointAngleAndDistanceAnswers) {
    enum Kind { Point, Angle, Distance };
    const ads_point origin = {0, 0, 0}, one = {1, 1, 0}, ten = {10, 10, 0};
    const struct {
        Kind kind;
        const double* base;
        std::vector<std::wstring> typed;
        int rc;
        std::array<double, 3> value;
    } cases[] = {{Point, nullptr, {L"1,2"}, RTNORM, {1, 2, 0}},
                 {Point, nullptr, {L"@3,4"}, RTNORM, {4, 6, 0}},
                 {Point, nullptr, {L""}, RTNONE, {}},
                 {Point, nullptr, {L"junk", L"5,6,7"}, RTNORM, {5, 6, 7}},
                 {Point, ten, {L"@1,1"}, RTNORM, {11, 11, 0}},
                 {Point, nullptr, {L"ESC"}, RTCAN, {}},
                 {Point, nullptr, {}, RTCAN, {}},  // no more input
                 {Angle, origin, {L"90"}, RTNORM, {M_PI / 2}},
                 {Angle, origin, {L"-90"}, RTNORM, {3 * M_PI / 2}},
                 {Angle, origin, {L"0,5"}, RTNORM, {M_PI / 2}},
                 {Angle, origin, {L"x", L"^C"}, RTCAN, {}},
                 {Distance, one, {L"2.5"}, RTNORM, {2.5}},
                 {Distance, one, {L"4,5"}, RTNORM, {5}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.empty() ? "nothing" : cadhost::toUtf8(c.typed.back()));
        for (const auto& line : c.typed) cadhost::pushInput(line);
        std::array<double, 3> got{};
        EXPECT_EQ(c.kind == Point   ? acedGetPoint(c.base, L"P: ", got.data())
                  : c.kind == Angle ? acedGetAngle(c.base, L"A: ", got.data())
                                    : acedGetDist(c.base, L"D: ", got.data()),
                  c.rc);
        for (int i = 0; i < 3 && c.rc == RTNORM; ++i) EXPECT_NEAR(got[i], c.value[i], 1e-12);
    }
    EXPECT_TRUE(printed(L"Point or option keyword required."));
    EXPECT_TRUE(printed(L"Requires valid numeric angle or second point."));
    EXPECT_EQ(acedGetPoint(nullptr, L"P: ", nullptr), RTERROR);
}

class SelectionTest : public HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        a = addText(0, 0, L"alpha");
        b = addText(20, 0, L"beta");
        line = addLine(0, 10, 2, 10);
        textsOnly = acutBuildList(RTDXF0, L"TEXT", 0);
    }
    void TearDown() override {
        acutRelRb(textsOnly);
        HostTest::TearDown();
    }
    using Ids = std::vector<AcDbObjectId>;
    Ids select(const ACHAR* mode, const void* p1, const void* p2, const resbuf* filter,
               int expected) {
        ads_name ss;
        const int rc = acedSSGet(mode, p1, p2, filter, ss);
        EXPECT_EQ(rc, expected);
        if (rc != RTNORM) return {};
        std::int32_t n = 0;
        EXPECT_EQ(acedSSLength(ss, &n), RTNORM);
        Ids ids;
        for (std::int32_t i = 0; i < n; ++i) {
            ads_name ent;
            AcDbObjectId id;
            EXPECT_EQ(acedSSName(ss, i, ent), RTNORM);
            EXPECT_EQ(acdbGetObjectId(id, ent), Acad::eOk);
            ids.push_back(id);
        }
        EXPECT_EQ(acedSSFree(ss), RTNORM);
        EXPECT_EQ(acedSSFree(ss), RTERROR) << "freed once";
        return ids;
    }
    AcDbObjectId a, b, line;
    resbuf* textsOnly = nullptr;  // a filter for texts
};

TEST_F(SelectionTest, PromptedSelectionWithTwoPromptsAndFilter) {
    const ACHAR* prompts[2] = {L"Pick texts: ", L"Drop texts: "};
    type({handleOf(a), handleOf(line), L"ALL", L"R", handleOf(b), L"zz", L""});
    EXPECT_EQ(select(L":$", prompts, nullptr, textsOnly, RTNORM), Ids{a});
    EXPECT_TRUE(printed(L"Pick texts: "));
    EXPECT_TRUE(printed(L"Drop texts: "));
    EXPECT_TRUE(printed(L"1 were filtered out."));
    EXPECT_TRUE(printed(L"*Invalid selection*"));
    type({L""});
    select(L":$", prompts, nullptr, textsOnly, RTERROR);
    type({handleOf(a), L"ESC"});
    select(L":$", prompts, nullptr, textsOnly, RTCAN);
    // A single pick ends at the first text it hits.
    type({handleOf(line), handleOf(b), handleOf(a)});
    EXPECT_EQ(select(L":$:S", prompts, nullptr, textsOnly, RTNORM), Ids{b});
    EXPECT_TRUE(cadhost::inputPending()) << "the third answer is left unread";
}

TEST_F(SelectionTest, WholeDrawingAndWindows) {
    EXPECT_EQ(select(L"X", nullptr, nullptr, textsOnly, RTNORM).size(), 2u);
    // The crossing window touches the first text and the line; the plain
    // window holds only the line (the text runs out of it).
    const ads_point lo = {-1, -1, 0}, hi = {3, 11, 0};
    EXPECT_EQ(select(L"C", lo, hi, textsOnly, RTNORM), Ids{a});
    type({L"W", L"-1,-1", L"3,11", L""});
    EXPECT_EQ(select(nullptr, nullptr, nullptr, nullptr, RTNORM), Ids{line});
    const ads_point far1 = {100, 100, 0}, far2 = {200, 200, 0};
    select(L"C", far1, far2, nullptr, RTERROR);
    select(L"C", nullptr, nullptr, nullptr, RTERROR);
    select(L"?bad", nullptr, nullptr, nullptr, RTERROR);
}

TEST_F(SelectionTest, PickedPointsTakeTheEntityUnderThem) {
    type({L"1,1", L"1,10.01", L"1,10.01", L""});
    // Inside the text's extents, within the pick box of the line, which a
    // second pick does not add again.
    EXPECT_EQ(select(nullptr, nullptr, nullptr, nullptr, RTNORM), (Ids{a, line}));
    EXPECT_TRUE(printed(L"1 found, 2 total"));
    type({L"1,10", L""});
    // The picked line is filtered out: nothing is left.
    select(nullptr, nullptr, nullptr, textsOnly, RTERROR);
}

TEST_F(SelectionTest, PickFirstSetServesACommandThatTakesIt) {
    ads_name ss, ename;
    ASSERT_EQ(acdbGetAdsName(ename, b), Acad::eOk);
    ASSERT_EQ(acedSSAdd(ename, nullptr, ss), RTNORM);
    ASSERT_EQ(acdbGetAdsName(ename, line), Acad::eOk);
    ASSERT_EQ(acedSSAdd(ename, ss, ss), RTNORM);
    ASSERT_EQ(acedSSSetFirst(ss, nullptr), RTNORM);
    acedSSFree(ss);

    static Ids got;
    got.clear();
    acedRegCmds->addCommand(L"TST", L"TST_PICK", L"PICK", ACRX_CMD_USEPICKSET, [] {
        resbuf* filter = acutBuildList(RTDXF0, L"TEXT", 0);
        ads_name s;
        if (acedSSGet(L":$", nullptr, nullptr, filter, s) == RTNORM) {
            got = cadhost::selectionSetIds(s);
            acedSSFree(s);
        }
        acutRelRb(filter);
    });
    run({L"PICK"});
    EXPECT_EQ(got, Ids{b}) << "the line is filtered out, no prompt";
    EXPECT_TRUE(cadhost::pickfirstIds().empty());
    acedRegCmds->removeGroup(L"TST");
}

TEST_F(SelectionTest, NamesAndSetsRejectForgeries) {
    ads_name bogus = {12345, 99};
    AcDbObjectId id;
    EXPECT_EQ(acdbGetObjectId(id, bogus), Acad::eInvalidInput);
    std::int32_t n;
    EXPECT_EQ(acedSSLength(bogus, &n), RTERROR);
    EXPECT_EQ(acedSSAdd(bogus, nullptr, bogus), RTERROR);
    ads_name empty;
    ASSERT_EQ(acedSSAdd(nullptr, nullptr, empty), RTNORM);
    EXPECT_EQ(acedSSLength(empty, &n), RTNORM);
    EXPECT_EQ(n, 0);
    ads_name ent;
    EXPECT_EQ(acedSSName(empty, 0, ent), RTERROR);
    EXPECT_EQ(acdbGetAdsName(ent, AcDbObjectId()), Acad::eNullObjectId);
    acedSSFree(empty);
    EXPECT_EQ(acedSSSetFirst(bogus, nullptr), RTERROR);
    EXPECT_EQ(acedSSSetFirst(nullptr, nullptr), RTNORM);
}
