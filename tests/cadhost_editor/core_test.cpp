// Input parsing, system variables, the user coordinate system and the
// command line's format rules.
#include <cmath>

#include "cadhost/editor/parse.h"
#include "cadhost/editor/sysvars.h"
#include "cadhost/editor/ucs.h"
#include "host_fixture.h"

using cadhost::parseInteger;
using cadhost::parsePoint;
using cadhost::parseReal;

TEST(ParseTest, RealsAndIntegersAcceptOnlyWholeNumbers) {
    EXPECT_DOUBLE_EQ(*parseReal(L" 2.5 "), 2.5);
    EXPECT_DOUBLE_EQ(*parseReal(L"-1e2"), -100);
    EXPECT_FALSE(parseReal(L""));
    EXPECT_FALSE(parseReal(L"2.5x"));
    EXPECT_FALSE(parseReal(L"inf"));
    EXPECT_FALSE(parseReal(L"0x10"));
    EXPECT_EQ(*parseInteger(L"42"), 42);
    EXPECT_FALSE(parseInteger(L"4.2"));
    EXPECT_FALSE(parseInteger(L"-"));
    EXPECT_FALSE(parseInteger(L"99999999999999999999"));
}

TEST(ParseTest, PointsAbsoluteRelativeAndPolar) {
    auto p = parsePoint(L"1,2");
    ASSERT_TRUE(p);
    EXPECT_FALSE(p->relative);
    EXPECT_DOUBLE_EQ(p->xyz[0], 1);
    EXPECT_DOUBLE_EQ(p->xyz[2], 0);
    p = parsePoint(L"@3,-4,5");
    ASSERT_TRUE(p);
    EXPECT_TRUE(p->relative);
    EXPECT_DOUBLE_EQ(p->xyz[2], 5);
    p = parsePoint(L"@10<90");
    ASSERT_TRUE(p);
    EXPECT_NEAR(p->xyz[0], 0, 1e-12);
    EXPECT_NEAR(p->xyz[1], 10, 1e-12);
    for (const wchar_t* bad : {L"1", L"1,2,3,4", L"a,b", L"1,,2", L"@x<1", L""})
        EXPECT_FALSE(parsePoint(bad)) << bad;
}

class SysVarTest : public HostTest {};

TEST_F(SysVarTest, GetVarGivesTheHostTypes) {
    resbuf rb{};
    ASSERT_EQ(acedGetVar(L"CMDECHO", &rb), RTNORM);
    EXPECT_EQ(rb.restype, RTSHORT);
    EXPECT_EQ(rb.resval.rint, 1);
    ASSERT_EQ(acedGetVar(L"textsize", &rb), RTNORM);
    EXPECT_EQ(rb.restype, RTREAL);
    ASSERT_EQ(acedGetVar(L"UCSXDIR", &rb), RTNORM);
    EXPECT_EQ(rb.restype, RT3DPOINT);
    EXPECT_DOUBLE_EQ(rb.resval.rpoint[0], 1);
    ASSERT_EQ(acedGetVar(L"TEXTSTYLE", &rb), RTNORM);
    ASSERT_EQ(rb.restype, RTSTR);
    EXPECT_STREQ(rb.resval.rstring, L"Standard");
    acutDelString(rb.resval.rstring);
    EXPECT_EQ(acedGetVar(L"NOSUCHVAR", &rb), RTERROR);
    EXPECT_EQ(acedGetVar(nullptr, &rb), RTERROR);
}

TEST_F(SysVarTest, SetVarChecksNameTypeAndReadOnly) {
    resbuf rb{};
    rb.restype = RTSHORT;
    rb.resval.rint = 0;
    EXPECT_EQ(acedSetVar(L"CMDECHO", &rb), RTNORM);
    EXPECT_EQ(cadhost::getVar(L"CMDECHO")->integer, 0);
    rb.restype = RTSTR;
    rb.resval.rstring = const_cast<ACHAR*>(L"1");
    EXPECT_EQ(acedSetVar(L"CMDECHO", &rb), RTERROR);
    rb.resval.rstring = const_cast<ACHAR*>(L"/tmp/");
    EXPECT_EQ(acedSetVar(L"ACADPREFIX", &rb), RTERROR) << "read-only";
    EXPECT_EQ(acedSetVar(L"NOSUCHVAR", &rb), RTERROR);
    // A short where a real is kept is taken as a real.
    rb.restype = RTSHORT;
    rb.resval.rint = 4;
    EXPECT_EQ(acedSetVar(L"TEXTSIZE", &rb), RTNORM);
    EXPECT_DOUBLE_EQ(db()->textsize(), 4.0);
    rb.restype = RTSTR;
    rb.resval.rstring = const_cast<ACHAR*>(L"NoSuchStyle");
    EXPECT_EQ(acedSetVar(L"TEXTSTYLE", &rb), RTERROR);
}

TEST_F(SysVarTest, DrawingVariablesBelongToTheirDrawing) {
    resbuf rb{};
    rb.restype = RTSHORT;
    rb.resval.rint = 7;
    ASSERT_EQ(acedSetVar(L"OSMODE", &rb), RTNORM);
    AcApDocument* first = curDoc();
    acDocManagerPtr()->newDocument();
    EXPECT_EQ(cadhost::getVar(L"OSMODE")->integer, 4133);
    acDocManagerPtr()->setCurDocument(first);
    EXPECT_EQ(cadhost::getVar(L"OSMODE")->integer, 7);
}

class UcsTest : public HostTest {};

TEST_F(UcsTest, TransBetweenWorldAndARotatedMovedUcs) {
    run({L"UCS", L"10,0", L"", L"UCS", L"Z", L"90"});
    resbuf rb{};
    ASSERT_EQ(acedGetVar(L"UCSXDIR", &rb), RTNORM);
    EXPECT_NEAR(rb.resval.rpoint[0], 0, 1e-12);
    EXPECT_NEAR(rb.resval.rpoint[1], 1, 1e-12);

    resbuf ucs{}, world{};
    ucs.restype = world.restype = RTSHORT;
    ucs.resval.rint = 1;
    world.resval.rint = 0;
    const ads_point p = {1, 0, 0};
    ads_point r;
    ASSERT_EQ(acedTrans(p, &ucs, &world, 0, r), RTNORM);
    EXPECT_NEAR(r[0], 10, 1e-12);
    EXPECT_NEAR(r[1], 1, 1e-12);
    ASSERT_EQ(acedTrans(p, &ucs, &world, 1, r), RTNORM) << "a displacement ignores the origin";
    EXPECT_NEAR(r[0], 0, 1e-12);
    EXPECT_NEAR(r[1], 1, 1e-12);
    ads_point back;
    ASSERT_EQ(acedTrans(r, &world, &ucs, 1, back), RTNORM);
    EXPECT_NEAR(back[0], 1, 1e-12);
    EXPECT_NEAR(back[1], 0, 1e-12);

    run({L"UCS", L"W"});
    ASSERT_EQ(acedTrans(p, &ucs, &world, 0, r), RTNORM);
    EXPECT_NEAR(r[0], 1, 1e-12);
}

TEST_F(UcsTest, OriginWithXAxisPointAndBadSystems) {
    run({L"UCS", L"5,5", L"5,10"});
    EXPECT_NEAR(cadhost::currentUcs().angle, M_PI / 2, 1e-12);
    EXPECT_NEAR(cadhost::currentUcs().origin[0], 5, 1e-12);
    resbuf bad{}, world{};
    bad.restype = world.restype = RTSHORT;
    bad.resval.rint = 7;
    world.resval.rint = 0;
    const ads_point p = {0, 0, 0};
    ads_point r;
    EXPECT_EQ(acedTrans(p, &bad, &world, 0, r), RTERROR);
    EXPECT_EQ(acedTrans(p, nullptr, &world, 0, r), RTERROR);
    run({L"UCS", L"nonsense", L"W"});
    EXPECT_TRUE(printed(L"Point or option keyword required."));
}

TEST(CommandLineTest, WideStringFormatRules) {
    std::wstring out;
    cadhost::setCommandLineSink([&](const std::wstring& s) { out += s; });
    acutPrintf(L"%s|%hs|%d|%5.1f|%%|%c", L"wide", "narrow", 42, 2.25, L'x');
    cadhost::setCommandLineSink({});
    EXPECT_EQ(out, L"wide|narrow|42|  2.2|%|x");
}

TEST(ResbufTest, BuildListAndRelease) {
    const ads_point pt = {1, 2, 3};
    resbuf* list = acutBuildList(RTSTR, L"TEXT", RTSHORT, 5, RTREAL, 1.5, RT3DPOINT, pt, 0);
    ASSERT_NE(list, nullptr);
    EXPECT_STREQ(list->resval.rstring, L"TEXT");
    EXPECT_EQ(list->rbnext->resval.rint, 5);
    EXPECT_DOUBLE_EQ(list->rbnext->rbnext->resval.rreal, 1.5);
    EXPECT_DOUBLE_EQ(list->rbnext->rbnext->rbnext->resval.rpoint[2], 3);
    EXPECT_EQ(list->rbnext->rbnext->rbnext->rbnext, nullptr);
    EXPECT_EQ(acutRelRb(list), RTNORM);
    const ads_point o = {0, 0, 0};
    EXPECT_NEAR(acutAngle(o, pt), std::atan2(2, 1), 1e-12);
}
