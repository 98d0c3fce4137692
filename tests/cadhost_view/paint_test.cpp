// Painting: what lands in the image, only within the dirty part,
// highlighted entities in the highlight colour, small texts as bars.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "cadhost/view/colors.h"
#include "scene_fixture.h"

namespace cadhost_view_test {
namespace {

using cadhost::view::DrawingScene;
using cadhost::view::ViewTransform;

class PaintTest : public SceneFixture {
  protected:
    static void SetUpTestSuite() { needGui(); }
    void show(const Drawing& d) {
        open(d);
        view.size = QSize(200, 100);
        view.center = QPointF(50, 0);
        view.pixelsPerUnit = 2;  // x 0..100 fills the width, y -25..25
    }
    QImage paint(QRect dirty = QRect(0, 0, 200, 100), std::set<AcDbObjectId> hl = {}) {
        QImage image(view.size, QImage::Format_RGB32);
        image.fill(DrawingScene::backgroundColor());
        QPainter p(&image);
        scene->paint(p, view, dirty, hl);
        return image;
    }
    // How many pixels of a row (or column) have exactly this colour.
    static int countRow(const QImage& img, int y, QRgb c) {
        int n = 0;
        for (int x = 0; x < img.width(); ++x) n += (img.pixel(x, y) & 0xFFFFFF) == (c & 0xFFFFFF);
        return n;
    }
    static int countNotBackground(const QImage& img, QRect r) {
        int n = 0;
        const QRgb bg = DrawingScene::backgroundColor().rgb() & 0xFFFFFF;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) n += (img.pixel(x, y) & 0xFFFFFF) != bg;
        return n;
    }
    ViewTransform view;
};

TEST_F(PaintTest, ALineLandsOnItsPixelsInItsColourAndOnlyInTheDirtyPart) {
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

TEST_F(PaintTest, TextsTooSmallToReadBecomeBarsAndGlyphsOnceZoomedIn) {
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
