// What the scene makes of each kind of entity: where texts sit and which
// way their glyphs run, curves, fills, blocks and colours.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <cmath>

#include "cadhost/view/colors.h"
#include "cadhost/view/glyph_outlines.h"
#include "cadhost/view/scene_builder.h"
#include "scene_fixture.h"

namespace cadhost_view_test {
namespace {

using cadhost::view::FontTypes;
using cadhost::view::Prim;
using cadhost::view::SceneBuilder;

class BuilderTest : public ::testing::Test {
  protected:
    std::vector<Prim> build(const Drawing& d, std::size_t index = 0) {
        load(db, d);
        std::vector<Prim> prims;
        const auto ids = entities(db);
        EXPECT_LT(index, ids.size());
        if (index >= ids.size()) return prims;
        SceneBuilder builder(&db, fonts);
        builder.build(ids[index], prims);
        return prims;
    }
    AcDbDatabase db{false};
    FontTypes fonts{tarsil::FontMap{{L"hebnorm", tarsil::FontType::HebrewNormal},
                                    {L"heb7bit", tarsil::FontType::Hebrew7Bit}}};
};

QRectF boundsOf(const std::vector<Prim>& prims) {
    QRectF r;
    for (const Prim& p : prims) r = r.isNull() ? p.bounds() : r.united(p.bounds());
    return r;
}

TEST_F(BuilderTest, JustifiedTextsSitOnTheirAlignmentPoint) {
    Drawing d;
    // Right-aligned at (60, 0); the stored start (0, 0) is stale on purpose.
    d.entities = groups({{0, "TEXT"}, {8, "0"}, {10, "0.0"}, {20, "0.0"}, {40, "2.0"}, {1, "ABC"},
                         {72, "2"}, {11, "60.0"}, {21, "0.0"}});
    const QRectF right = boundsOf(build(d));
    EXPECT_NEAR(right.right(), 60, 1e-9);
    EXPECT_NEAR(right.width(), 3 * 0.7 * 2, 1e-9);
}

TEST_F(BuilderTest, FitAndAlignedTextsSpanTheirTwoPoints) {
    for (int mode : {3, 5}) {
        Drawing d;
        d.entities = groups({{0, "TEXT"}, {8, "0"}, {10, "0.0"}, {20, "0.0"}, {40, "2.0"},
                             {1, "ABC"}, {72, std::to_string(mode)}, {11, "0.0"}, {21, "30.0"}});
        AcDbDatabase fresh(false);
        ASSERT_EQ(fresh.readDxfBuffer(d.dxf()), Acad::eOk);
        std::vector<Prim> prims;
        SceneBuilder(&fresh, fonts).build(entities(fresh)[0], prims);
        ASSERT_EQ(prims.size(), 1u);
        const QRectF b = prims[0].bounds();
        // Turned upright: runs from y 0 to 30.
        EXPECT_NEAR(b.top(), 0, 1e-9) << mode;
        EXPECT_NEAR(b.bottom(), 30, 1e-9) << mode;
        // Aligned grows the height with the length, fit keeps it.
        EXPECT_NEAR(b.width(), mode == 3 ? 2.0 * 30 / 4.2 : 2.0, 1e-9) << mode;
    }
}

TEST_F(BuilderTest, MTextWrapsAtItsWidthAndStacksItsLines) {
    Drawing d;
    d.entities = groups({{0, "MTEXT"}, {8, "0"}, {10, "0.0"}, {20, "0.0"}, {40, "1.0"},
                         {41, "3.0"}, {71, "1"}, {1, "AB AB AB\\PXY"}});
    const auto prims = build(d);
    ASSERT_EQ(prims.size(), 4u);  // three wrapped lines and a paragraph
    for (std::size_t i = 0; i < prims.size(); ++i) {
        // Top-left attachment: lines hang below the location, each one
        // line pitch lower than the last.
        const QPointF base = prims[i].text->toWorld.map(QPointF(0, 0));
        EXPECT_NEAR(base.x(), 0, 1e-9);
        EXPECT_NEAR(base.y(), -1 - static_cast<double>(i) * 5.0 / 3.0, 1e-9);
    }
}

TEST_F(BuilderTest, GlyphsMapByTheStylesFontAndRunItsWay) {
    Drawing d;
    d.style("NORM", "hebnorm.shx").style("SEVEN", "heb7bit.shx");
    d.entities = text(0, 0, 1, "\x80\x81", "NORM") + text(0, 5, 1, "tc", "SEVEN") +
                 text(0, 10, 1, "\x80\x81");
    load(db, d);
    const auto ids = entities(db);
    SceneBuilder builder(&db, fonts);
    std::vector<Prim> norm, seven, plain;
    builder.build(ids[0], norm);
    builder.build(ids[1], seven);
    builder.build(ids[2], plain);
    ASSERT_EQ(norm.size(), 1u);
    ASSERT_EQ(seven.size(), 1u);
    ASSERT_EQ(plain.size(), 1u);
    EXPECT_EQ(norm[0].text->glyphs()[0].shown, U'\u05D0');
    EXPECT_FALSE(norm[0].text->rightToLeft);
    EXPECT_EQ(seven[0].text->glyphs()[0].shown, U'\u05D0');
    EXPECT_EQ(seven[0].text->glyphs()[1].shown, U'\u05D1');
    EXPECT_TRUE(seven[0].text->rightToLeft);
    // STANDARD's font is not in the map: the code page (1255) shows byte
    // 0x80 as its currency sign, not as a letter.
    EXPECT_EQ(plain[0].text->glyphs()[0].shown, U'\u20AC');
}

TEST(GlyphOutlinesTest, ARightToLeftRunStartsAtTheRightEndOfItsBox) {
    static int argc = 1;
    static char name[] = "t";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
    cadhost::view::GlyphOutlines outlines(cadhost::view::defaultFontFile());
    ASSERT_TRUE(outlines.isValid());
    cadhost::view::TextRun run;
    run.stored = L"X ";  // a letter, then a blank
    run.advance = 1.2;
    const QRectF ltr = outlines.outline(run).boundingRect();
    run.rightToLeft = true;
    const QRectF rtl = outlines.outline(run).boundingRect();
    EXPECT_LT(ltr.right(), 0.7 + 1e-9);
    EXPECT_GT(rtl.left(), 0.5 - 1e-9);
    EXPECT_LT(rtl.right(), 1.2 + 1e-9);
    // A capital reaches the text height, not beyond.
    EXPECT_NEAR(ltr.bottom(), 1.0, 0.02);
    EXPECT_NEAR(ltr.top(), 0.0, 0.02);
}

TEST_F(BuilderTest, BulgesBecomeArcs) {
    Drawing d;
    // From (0, 0) to (2, 0) with bulge 1: a half circle below the chord.
    d.entities = groups({{0, "LWPOLYLINE"}, {8, "0"}, {90, "2"}, {70, "0"}, {10, "0.0"},
                         {20, "0.0"}, {42, "1.0"}, {10, "2.0"}, {20, "0.0"}});
    const auto prims = build(d);
    ASSERT_EQ(prims.size(), 1u);
    const QRectF b = prims[0].bounds();
    EXPECT_NEAR(b.top(), -1, 1e-6);
    EXPECT_NEAR(b.bottom(), 0, 1e-6);
    EXPECT_NEAR(b.width(), 2, 1e-6);
    EXPECT_EQ(prims[0].points.back(), QPointF(2, 0));
}

TEST_F(BuilderTest, LeadersGetAnArrowWhenTheirFirstSegmentHasRoom) {
    auto leader = [](double length) {
        return groups({{0, "LEADER"}, {8, "0"}, {71, "1"}, {76, "2"}, {10, "0.0"}, {20, "0.0"},
                       {10, std::to_string(length)}, {20, "0.0"}});
    };
    Drawing d;
    d.entities = leader(20) + leader(4);  // arrows are 2.5 long by default
    load(db, d);
    const auto ids = entities(db);
    SceneBuilder builder(&db, fonts);
    std::vector<Prim> room, cramped;
    builder.build(ids[0], room);
    builder.build(ids[1], cramped);
    ASSERT_EQ(room.size(), 2u);
    EXPECT_EQ(room[1].kind, Prim::Fill);
    EXPECT_EQ(room[1].points[0], QPointF(0, 0));  // the tip on the first vertex
    EXPECT_NEAR(room[1].bounds().right(), 2.5, 1e-9);
    EXPECT_EQ(cramped.size(), 1u);
}

TEST_F(BuilderTest, SolidHatchFillsAroundItsHole) {
    Drawing d;
    auto square = [](double s) {
        return groups({{92, "3"}, {72, "0"}, {73, "1"}, {93, "4"}, {10, std::to_string(-s)},
                       {20, std::to_string(-s)}, {10, std::to_string(s)}, {20, std::to_string(-s)},
                       {10, std::to_string(s)}, {20, std::to_string(s)}, {10, std::to_string(-s)},
                       {20, std::to_string(s)}, {97, "0"}});
    };
    d.entities = groups({{0, "HATCH"}, {8, "0"}, {2, "SOLID"}, {70, "1"}, {71, "0"}, {91, "2"}}) +
                 square(10) + square(2) + groups({{75, "0"}, {76, "1"}});
    load(db, d);
    DrawingSceneHolder scene(&db);
    const auto id = entities(db)[0];
    EXPECT_EQ(scene->pick({5, 5}, 0), id);       // in the fill
    EXPECT_TRUE(scene->pick({0, 0}, 0).isNull());  // in the hole
    EXPECT_EQ(scene->pick({2, 0}, 0.01), id);    // on the hole's edge
    EXPECT_NEAR(scene->boundsOf(id).width(), 20, 1e-9);
}

TEST_F(BuilderTest, ColoursComeFromTheEntityTheLayerOrTheBlock) {
    Drawing d;
    d.layer("GREEN", 3);
    d.blocks = groups({{0, "BLOCK"}, {8, "0"}, {2, "B"}, {70, "0"}, {10, "0.0"}, {20, "0.0"}}) +
               groups({{0, "LINE"}, {8, "0"}, {62, "0"}, {10, "0"}, {20, "0"}, {11, "1"}, {21, "0"}}) +
               groups({{0, "LINE"}, {8, "0"}, {10, "0"}, {20, "0"}, {11, "1"}, {21, "0"}}) +
               groups({{0, "ENDBLK"}, {8, "0"}});
    d.entities =
        groups({{0, "INSERT"}, {8, "GREEN"}, {62, "1"}, {2, "B"}, {10, "0.0"}, {20, "0.0"}}) +
        line(0, 0, 1, 1, "GREEN") +
        groups({{0, "LINE"}, {8, "GREEN"}, {62, "5"}, {10, "0"}, {20, "0"}, {11, "1"}, {21, "1"}}) +
        groups({{0, "LINE"}, {8, "GREEN"}, {420, "1193046"}, {10, "0"}, {20, "0"}, {11, "1"},
                {21, "1"}});
    load(db, d);
    const auto ids = entities(db);
    SceneBuilder builder(&db, fonts);
    auto colorsOf = [&](std::size_t i) {
        std::vector<Prim> prims;
        builder.build(ids[i], prims);
        std::vector<QRgb> out;
        for (const Prim& p : prims) out.push_back(p.color);
        return out;
    };
    using cadhost::view::aciColor;
    // In the block: BYBLOCK takes the reference's red; a layer-0 BYLAYER
    // line takes the reference's layer, green.
    EXPECT_EQ(colorsOf(0), (std::vector<QRgb>{aciColor(1), aciColor(3)}));
    EXPECT_EQ(colorsOf(1), std::vector<QRgb>{aciColor(3)});
    EXPECT_EQ(colorsOf(2), std::vector<QRgb>{aciColor(5)});
    EXPECT_EQ(colorsOf(3), std::vector<QRgb>{qRgb(0x12, 0x34, 0x56)});
    EXPECT_EQ(aciColor(1), qRgb(255, 0, 0));
    EXPECT_EQ(aciColor(0), aciColor(7));  // out of range
    EXPECT_EQ(aciColor(300), aciColor(7));
}

TEST_F(BuilderTest, AttributesShowUnlessInvisibleDefinitionsOnlyOutsideBlocks) {
    Drawing d;
    d.blocks = groups({{0, "BLOCK"}, {8, "0"}, {2, "B"}, {70, "2"}, {10, "0.0"}, {20, "0.0"}}) +
               groups({{0, "ATTDEF"}, {8, "0"}, {10, "0"}, {20, "0"}, {40, "1"}, {1, "x"},
                       {3, "?"}, {2, "TAG"}, {70, "0"}}) +
               groups({{0, "ENDBLK"}, {8, "0"}});
    d.entities = groups({{0, "INSERT"}, {8, "0"}, {66, "1"}, {2, "B"}, {10, "0.0"}, {20, "0.0"}}) +
                 groups({{0, "ATTRIB"}, {8, "0"}, {10, "0"}, {20, "0"}, {40, "1"}, {1, "SEEN"},
                         {2, "TAG"}, {70, "0"}}) +
                 groups({{0, "ATTRIB"}, {8, "0"}, {10, "0"}, {20, "5"}, {40, "1"}, {1, "HIDDEN"},
                         {2, "TAG2"}, {70, "1"}}) +
                 groups({{0, "SEQEND"}, {8, "0"}}) +
                 groups({{0, "ATTDEF"}, {8, "0"}, {10, "0"}, {20, "9"}, {40, "1"}, {1, "x"},
                         {3, "?"}, {2, "TAGNAME"}, {70, "0"}});
    load(db, d);
    const auto ids = entities(db);
    ASSERT_EQ(ids.size(), 2u);
    SceneBuilder builder(&db, fonts);
    std::vector<Prim> ref, def;
    builder.build(ids[0], ref);
    builder.build(ids[1], def);
    ASSERT_EQ(ref.size(), 1u);  // the visible attribute only
    EXPECT_EQ(ref[0].text->glyphs().size(), 4u);
    ASSERT_EQ(def.size(), 1u);
    EXPECT_EQ(def[0].text->glyphs().size(), 7u);  // "TAGNAME"
}

}  // namespace
}  // namespace cadhost_view_test
