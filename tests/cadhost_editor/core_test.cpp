// Input parsing, system variables, the user coordinate system and the
// command line's format rules.
#include <gmock/gmock.h>

#include <array>
#include <cmath>

#include "cadhost/editor/parse.h"
#include "cadhost/editor/sysvars.h"
#include "cadhost/editor/ucs.h"
#include "host_fixture.h"

using ::testing::DoubleNear;
using ::testing::Pointwise;

using cadhost::parseInteger;
using cadhost::parsePoint;
using cadhost::parseReal;

TEST(ParseTest, RealsAndIntegersAcceptOnlyWholeNumbers) {
    EXPECT_DOUBLE_EQ(*parseReal(L" 2.5 "), 2.5);
    EXPECT_DOUBLE_EQ(*parseReal(L"-1e2"), -100);
    EXPECT_FALSE(parseReal(L""));
    EXPECT_FALSE(parseReal(L"0x10")) << "no hex, inf or nan";
    EXPECT_FALSE(parseReal(L"1e")) << "a number only in part";
    EXPECT_EQ(*parseInteger(L"42"), 42);
    EXPECT_FALSE(parseInteger(L"4.2"));
    EXPECT_FALSE(parseInteger(L"-"));
    EXPECT_FALSE(parseInteger(L"99999999999999999999"));
}

TEST(ParseTest, PointsAbsoluteRelativeAndPolar) {
    const struct {
        const wchar_t* typed;
        bool relative;
        std::array<double, 3> xyz;
    } cases[] = {
        {L"1,2", false, {1, 2, 0}}, {L"@3,-4,5", true, {3, -4, 5}}, {L"@10<90", true, {0, 10, 0}}};
    for (const auto& c : cases) {
        const auto p = parsePoint(c.typed);
        ASSERT_TRUE(p) << c.typed;
        EXPECT_EQ(p->relative, c.relative) << c.typed;
        for (int i = 0; i < 3; ++i) EXPECT_NEAR(p->xyz[i], c.xyz[i], 1e-12) << c.typed;
    }
    for (const wchar_t* bad : {L"1", L"1,2,3,4", L"a,b", L"1,,2", L"@x<1", L""})
        EXPECT_FALSE(parsePoint(bad)) << bad;
}

namespace {
int setShort(const wchar_t* name, short value) {
    resbuf rb{.rbnext = nullptr, .restype = RTSHORT, .resval = {.rint = value}};
    return acedSetVar(name, &rb);
}
int setString(const wchar_t* name, const wchar_t* value) {
    resbuf rb{
        .rbnext = nullptr, .restype = RTSTR, .resval = {.rstring = const_cast<ACHAR*>(value)}};
    return acedSetVar(name, &rb);
}
// Coordinate systems as acedTrans names them.
constexpr resbuf kWorld{.rbnext = nullptr, .restype = RTSHORT, .resval = {.rint = 0}};
constexpr resbuf kUcs{.rbnext = nullptr, .restype = RTSHORT, .resval = {.rint = 1}};
}  // namespace

class SysVarTest : public HostTest {};

TEST_F(SysVarTest, GetAndSetVarCheckNameTypeAndReadOnly) {
    resbuf rb{};
    EXPECT_EQ(acedGetVar(L"NOSUCHVAR", &rb), RTERROR);
    EXPECT_EQ(acedGetVar(nullptr, &rb), RTERROR);
    EXPECT_EQ(setShort(L"CMDECHO", 0), RTNORM);
    EXPECT_EQ(cadhost::getVar(L"CMDECHO")->integer, 0);
    EXPECT_EQ(setString(L"CMDECHO", L"1"), RTERROR);
    EXPECT_EQ(setString(L"ACADPREFIX", L"/tmp/"), RTERROR) << "read-only";
    EXPECT_EQ(setString(L"NOSUCHVAR", L"/tmp/"), RTERROR);
    // A short where a real is kept is taken as a real.
    EXPECT_EQ(setShort(L"TEXTSIZE", 4), RTNORM);
    EXPECT_DOUBLE_EQ(db()->textsize(), 4.0);
}

class UcsTest : public HostTest {};

TEST_F(UcsTest, TransBetweenWorldAndARotatedMovedUcs) {
    const auto trans = [](std::array<double, 3> p, const resbuf* from, const resbuf* to,
                          int displacement) {
        std::array<double, 3> r{-1, -1, -1};
        EXPECT_EQ(acedTrans(p.data(), from, to, displacement, r.data()), RTNORM);
        return r;
    };
    const auto near = [](std::array<double, 3> p) { return Pointwise(DoubleNear(1e-12), p); };
    run({L"UCS", L"10,0", L"", L"UCS", L"Z", L"90"});
    EXPECT_THAT(cadhost::getVar(L"UCSXDIR")->point, near({0, 1, 0}));
    EXPECT_THAT(trans({1, 0, 0}, &kUcs, &kWorld, 0), near({10, 1, 0}));
    EXPECT_THAT(trans({1, 0, 0}, &kUcs, &kWorld, 1), near({0, 1, 0})) << "a displacement";
    EXPECT_THAT(trans({0, 1, 0}, &kWorld, &kUcs, 1), near({1, 0, 0}));
    run({L"UCS", L"W"});
    EXPECT_THAT(trans({1, 0, 0}, &kUcs, &kWorld, 0), near({1, 0, 0}));
}

TEST_F(UcsTest, OriginWithXAxisPointAndBadSystems) {
    run({L"UCS", L"5,5", L"5,10"});
    EXPECT_NEAR(cadhost::currentUcs().angle, M_PI / 2, 1e-12);
    EXPECT_NEAR(cadhost::currentUcs().origin[0], 5, 1e-12);
    const resbuf bad{.rbnext = nullptr, .restype = RTSHORT, .resval = {.rint = 7}};
    const ads_point p = {0, 0, 0};
    ads_point r;
    EXPECT_EQ(acedTrans(p, &bad, &kWorld, 0, r), RTERROR);
    EXPECT_EQ(acedTrans(p, nullptr, &kWorld, 0, r), RTERROR);
}

TEST(CommandLineTest, WideStringFormatRules) {
    std::wstring out;
    cadhost::setCommandLineSink([&](const std::wstring& s) { out += s; });
    acutPrintf(L"%s|%hs|%d|%5.1f|%%|%c", L"wide", "narrow", 42, 2.25, L'x');
    cadhost::setCommandLineSink({});
    EXPECT_EQ(out, L"wide|narrow|42|  2.2|%|x");
}

// Text angles the module reads from two points.
TEST(ResbufTest, AnglesRunFromZeroToTwoPi) {
    const ads_point o = {0, 0, 0}, pt = {1, 2, 3}, below = {0, -1, 0};
    EXPECT_NEAR(acutAngle(o, pt), 1.1071487177940904, 1e-12);
    EXPECT_NEAR(acutAngle(o, below), 3 * M_PI / 2, 1e-12);
}
