// What the scene makes of each kind of entity: where texts sit and which
// way their glyphs run, curves, fills, blocks and colours; and what lands
// in the image when it is painted.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>

#include "cadhost/view/colors.h"
#include "cadhost/view/glyph_outlines.h"
#include "cadhost/view/scene_builder.h"
#include "scene_fixture.h"

namespace cadhost_view_test {
namespace {

using cadhost::view::DrawingScene;
using cadhost::view::FontTypes;
using cadhost::view::Prim;
using cadhost::view::SceneBuilder;
using cadhost::view::ViewTransform;

class BuilderTest : public SceneFixture {
  protected:
    static void SetUpTestSuite() { needGui(); }
    // What entity i of the drawing open shows.
    std::vector<Prim> prims(std::size_t i) {
        std::vector<Prim> out;
        EXPECT_LT(i, ids.size());
        if (i < ids.size()) SceneBuilder(&db, fonts).build(ids[i], out);
        return out;
    }
    FontTypes fonts{tarsil::FontMap{{L"hebnorm", tarsil::FontType::HebrewNormal},
                                    {L"heb7bit", tarsil::FontType::Hebrew7Bit}}};
    // Opens a drawing in a 200 x 100 view of x 0..100, y -25..25.
    void show(const Drawing& d) {
        open(d);
        view.size = QSize(200, 100);
        view.center = QPointF(50, 0);
        view.pixelsPerUnit = 2;
    }
    QImage paint(QRect dirty = QRect(0, 0, 200, 100), std::set<AcDbObjectId> hl = {}) {
        QImage image(view.size, QImage::Format_RGB32);
        image.fill(DrawingScene::backgroundColor());
        QPainter p(&image);
        scene->paint(p, view, dirty, hl);
        return image;
    }
    ViewTransform view;
};

// How many pixels of a row have exactly this colour.
int countRow(const QImage& img, int y, QRgb c) {
    int n = 0;
    for (int x = 0; x < img.width(); ++x) n += (img.pixel(x, y) & 0xFFFFFF) == (c & 0xFFFFFF);
    return n;
}
int countNotBackground(const QImage& img, QRect r) {
    int n = 0;
    const QRgb bg = DrawingScene::backgroundColor().rgb() & 0xFFFFFF;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) n += (img.pixel(x, y) & 0xFFFFFF) != bg;
    return n;
}

QRectF boundsOf(const std::vector<Prim>& prims) {
    QRectF r;
    for (const Prim& p : prims) r = r.isNull() ? p.bounds() : r.united(p.bounds());
    return r;
}

TEST_F(BuilderTest, JustifiedTextsSitOnTheirAlignmentPoints) {
    // "ABC", 2 high, the stored start (0, 0) stale on purpose: right-aligned
    // at (60, 0); fit and aligned between (0, 0) and (0, 30), so upright,
    // aligned growing the height with the length, fit keeping it.
    const QRectF boxes[] = {QRectF(60 - 4.2, 0, 4.2, 2), QRectF(-2, 0, 2, 30),
                            QRectF(-2.0 * 30 / 4.2, 0, 2.0 * 30 / 4.2, 30)};
    open("justified_texts.dxf");
    for (std::size_t i = 0; i < 3; ++i) {
        const QRectF b = boundsOf(prims(i));
        EXPECT_NEAR(b.left(), boxes[i].left(), 1e-9) << i;
        EXPECT_NEAR(b.right(), boxes[i].right(), 1e-9) << i;
        EXPECT_NEAR(b.top(), boxes[i].top(), 1e-9) << i;
        EXPECT_NEAR(b.bottom(), boxes[i].bottom(), 1e-9) << i;
    }
}

// Texts are read in place from their records, other entities through the
// database's objects; an open text is read through its object too.  Both
// ways must give the same runs, whatever else the record holds.
TEST_F(BuilderTest, TextsReadInPlaceMatchTheirOpenedObjects) {
    open("texts_in_place.dxf");
    ASSERT_EQ(ids.size(), 6u);
    for (std::size_t i = 0; i < ids.size(); ++i) {
        const std::vector<Prim> inPlace = prims(i);
        AcDbEntity* e = nullptr;
        ASSERT_EQ(acdbOpenAcDbEntity(e, ids[i], AcDb::kForRead), Acad::eOk);
        const std::vector<Prim> opened = prims(i);
        e->close();
        ASSERT_FALSE(inPlace.empty()) << i;
        ASSERT_EQ(inPlace.size(), opened.size()) << i;
        for (std::size_t k = 0; k < inPlace.size(); ++k) {
            const auto &a = *inPlace[k].text, &b = *opened[k].text;
            EXPECT_EQ(inPlace[k].color, opened[k].color) << i;
            EXPECT_EQ(a.stored, b.stored) << i;
            EXPECT_EQ(a.type, b.type) << i;
            EXPECT_EQ(a.advance, b.advance) << i;
            EXPECT_EQ(a.bottom, b.bottom) << i;
            EXPECT_EQ(a.toWorld, b.toWorld) << i;
        }
    }
}

TEST(GlyphOutlinesTest, ARightToLeftRunStartsAtTheRightEndOfItsBox) {
    needGui();
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
    d.entities = groups("0|LWPOLYLINE|8|0|90|2|70|0|10|0.0|20|0.0|42|1.0|10|2.0|20|0.0");
    open(d);
    const auto arc = prims(0);
    ASSERT_EQ(arc.size(), 1u);
    const QRectF b = arc[0].bounds();
    EXPECT_NEAR(b.top(), -1, 1e-6);
    EXPECT_NEAR(b.bottom(), 0, 1e-6);
    EXPECT_NEAR(b.width(), 2, 1e-6);
    EXPECT_EQ(arc[0].points.back(), QPointF(2, 0));
}

TEST_F(BuilderTest, LeadersGetAnArrowWhenTheirFirstSegmentHasRoom) {
    open("leaders.dxf");  // 20 and 4 long; arrows are 2.5 long by default
    const auto room = prims(0), cramped = prims(1);
    ASSERT_EQ(room.size(), 2u);
    EXPECT_EQ(room[1].kind, Prim::Fill);
    EXPECT_EQ(room[1].points[0], QPointF(0, 0));  // the tip on the first vertex
    EXPECT_NEAR(room[1].bounds().right(), 2.5, 1e-9);
    EXPECT_EQ(cramped.size(), 1u);
}

TEST_F(BuilderTest, SolidHatchFillsAroundItsHole) {
    open("hatch_with_hole.dxf");  // a square of 20 with a hole of 4 in its middle
    const auto id = ids[0];
    EXPECT_EQ(scene->pick({5, 5}, 0), id);         // in the fill
    EXPECT_TRUE(scene->pick({0, 0}, 0).isNull());  // in the hole
    EXPECT_EQ(scene->pick({2, 0}, 0.01), id);      // on the hole's edge
    EXPECT_NEAR(scene->boundsOf(id).width(), 20, 1e-9);
}

TEST_F(BuilderTest, ColoursComeFromTheEntityTheLayerOrTheBlock) {
    open("colours.dxf");
    auto colorsOf = [&](std::size_t i) {
        std::vector<QRgb> out;
        for (const Prim& p : prims(i)) out.push_back(p.color);
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
    open("attributes.dxf");
    const auto ref = prims(0), def = prims(1);
    ASSERT_EQ(ref.size(), 1u);  // the visible attribute only
    EXPECT_EQ(ref[0].text->glyphs().size(), 4u);
    ASSERT_EQ(def.size(), 1u);
    EXPECT_EQ(def[0].text->glyphs().size(), 7u);  // "TAGNAME"
}

TEST_F(BuilderTest, ALineLandsOnItsPixelsInItsColourAndOnlyInTheDirtyPart) {
    Drawing d;
    d.layer("RED", 1);
    d.entities = line(0, 0.25, 100, 0.25, "RED");  // screen row 49.5: drawn on 49
    show(d);
    const QRgb red = cadhost::view::aciColor(1);
    EXPECT_GT(countRow(paint(), 49, red), 150);
    // Only the left half is painted.
    const QImage half = paint(QRect(0, 0, 100, 100));
    EXPECT_EQ(countNotBackground(half, QRect(105, 0, 95, 100)), 0);
    EXPECT_GT(countNotBackground(half, QRect(0, 0, 100, 100)), 80);
    // A dirty part that misses the line paints nothing, nor does an empty one.
    EXPECT_EQ(countNotBackground(paint(QRect(0, 0, 200, 30)), QRect(0, 0, 200, 100)), 0);
    EXPECT_EQ(countNotBackground(paint(QRect()), QRect(0, 0, 200, 100)), 0);
    // Highlighted: dashed in the highlight colour.
    const QImage lit = paint(QRect(0, 0, 200, 100), {ids[0]});
    EXPECT_EQ(countRow(lit, 49, red), 0);
    EXPECT_GT(countRow(lit, 49, DrawingScene::highlightColor().rgb()), 50);
    // A view with no scale paints nothing.
    view.pixelsPerUnit = 0;
    EXPECT_EQ(countNotBackground(paint(), QRect(0, 0, 200, 100)), 0);
}

TEST_F(BuilderTest, TextsTooSmallToReadBecomeBarsAndGlyphsOnceZoomedIn) {
    Drawing d;
    d.entities = text(10, 0, 20, "HHHH");  // 20 high, 56 wide
    show(d);
    // At a twentieth of a pixel a unit it is one pixel high: one bar, as
    // long as the text is wide (about 3 pixels), along its middle.
    const ViewTransform close = view;
    view.pixelsPerUnit = 0.05;
    view.center = QPointF(38, 10);
    const QImage small = paint();
    const int lit = countNotBackground(small, QRect(0, 0, 200, 100));
    EXPECT_GE(lit, 2);
    EXPECT_LE(lit, 4);
    EXPECT_EQ(countNotBackground(small, QRect(0, 51, 200, 49)), 0);
    // At 2 pixels a unit it is 40 pixels high: glyphs, whose capitals
    // leave gaps along the middle row.
    view = close;
    const QImage big = paint();
    const int middle = static_cast<int>(view.toScreen({0, 10}).y());
    EXPECT_GT(countNotBackground(big, QRect(0, 0, 200, 100)), 200);
    EXPECT_LT(countNotBackground(big, QRect(0, middle, 200, 1)), 100);
}

}  // namespace
}  // namespace cadhost_view_test
