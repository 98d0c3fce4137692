// Picking, window and crossing selection, extents and incremental updates
// of the drawing view, on small drawings whose geometry is known; and which
// font map the view reads.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "cadhost/db/store.h"
#include "scene_fixture.h"

namespace cadhost_view_test {
namespace {

using cadhost::view::FontTypes;
using SceneTest = SceneFixture;

// The extents of drawings with entities are what the sample images are
// fitted to; an empty drawing has none.
TEST_F(SceneTest, AnEmptyDrawingHasNoExtentsAndNothingToPickOrSelect) {
    open(Drawing());
    EXPECT_TRUE(scene->extents().isNull());
    EXPECT_TRUE(scene->pick({0, 0}, 100).isNull());
    EXPECT_TRUE(scene->select(QRectF(-1e9, -1e9, 2e9, 2e9), true).empty());
    EXPECT_TRUE(scene->boundsOf(AcDbObjectId()).isNull());
}

TEST_F(SceneTest, PickFindsTheTopMostEntityWithinTolerance) {
    Drawing d;
    // Two lines over each other, a circle, and a text.
    d.entities = line(0, 0, 10, 0) + line(0, 0, 10, 0) + circle(30, 0, 5) + text(50, 0, 2, "HI");
    open(d);
    EXPECT_EQ(scene->pick({5, 0.05}, 0.1), ids[1]);  // drawn last, on top
    EXPECT_TRUE(scene->pick({5, 0.5}, 0.1).isNull());
    EXPECT_EQ(scene->pick({5, 0.5}, 0.6), ids[1]);
    // A circle is picked on its curve, not in its middle.
    EXPECT_EQ(scene->pick({35, 0}, 0.1), ids[2]);
    EXPECT_TRUE(scene->pick({30, 0}, 0.1).isNull());
    // A text is picked anywhere in its box.
    EXPECT_EQ(scene->pick({51, 1}, 0), ids[3]);
    EXPECT_TRUE(scene->pick({51, 2.5}, 0.1).isNull());
    EXPECT_TRUE(scene->pick({10.5, 0}, 0.1).isNull());  // beyond the end of the line
    // A bad tolerance counts as none.
    EXPECT_EQ(scene->pick({51, 1}, -3), ids[3]);
    EXPECT_EQ(scene->pick({51, 1}, std::nan("")), ids[3]);
}

TEST_F(SceneTest, WindowTakesWhatIsInsideCrossingAlsoWhatCrosses) {
    Drawing d;
    d.entities = line(0, 0, 10, 0)        // wholly inside the box below
                 + line(5, 5, 50, 5)      // crosses it
                 + circle(100, 100, 1)    // far away
                 + circle(8, 8, 20)       // the box lies inside the circle, touching nothing
                 + text(0, 40, 10, "WW")  // 20 wide, 10 high
        ;
    open(d);
    const QRectF box(QPointF(-1, -1), QPointF(20, 10));
    EXPECT_EQ(scene->select(box, false), std::vector<AcDbObjectId>{ids[0]});
    EXPECT_EQ(scene->select(box, true), (std::vector<AcDbObjectId>{ids[0], ids[1]}));
    // The box given with its corners the other way round is the same box.
    const QRectF flipped(QPointF(20, 10), QPointF(-1, -1));
    EXPECT_EQ(scene->select(flipped, true), (std::vector<AcDbObjectId>{ids[0], ids[1]}));
    const QRectF inText(QPointF(5, 45), QPointF(6, 46));
    EXPECT_EQ(scene->select(inText, true), std::vector<AcDbObjectId>{ids[4]});
    EXPECT_TRUE(scene->select(inText, false).empty());
    EXPECT_TRUE(scene->select(QRectF(QPointF(21, 40), QPointF(25, 45)), true).empty());
}

TEST_F(SceneTest, HiddenLayersAndTheOtherSpaceAreNeitherDrawnNorPicked) {
    Drawing d;
    d.layer("OFF", -1).layer("FROZEN", 1, 1).layer("ON", 3);
    d.entities = line(0, 0, 10, 0, "OFF") + line(0, 1, 10, 1, "FROZEN") + line(0, 2, 10, 2, "ON") +
                 groups("0|LINE|8|0|67|1|10|0.0|20|50.0|11|10.0|21|50.0");
    open(d);
    EXPECT_FALSE(scene->isPaperSpace());
    EXPECT_TRUE(scene->pick({5, 0}, 0.1).isNull());
    EXPECT_TRUE(scene->pick({5, 1}, 0.1).isNull());
    EXPECT_TRUE(scene->pick({5, 50}, 0.1).isNull());
    EXPECT_EQ(scene->select(QRectF(-1, -1, 12, 4), true), std::vector<AcDbObjectId>{ids[2]});
    EXPECT_NEAR(scene->extents().height(), 0, 1e-9);
    // While "TILEMODE" is 0 the paper space line is the one shown.
    d.header.replace(d.header.find("$TILEMODE\n70\n1"), 14, "$TILEMODE\n70\n0");
    AcDbDatabase paper(false);
    load(paper, d);
    cadhost::view::DrawingScene sheet(&paper, FontTypes());
    ASSERT_TRUE(sheet.isPaperSpace());
    EXPECT_TRUE(sheet.pick({5, 2}, 0.1).isNull());
    EXPECT_FALSE(sheet.pick({5, 50}, 0.1).isNull());
}

TEST_F(SceneTest, BlockReferencesShowTheirBlockAndStopAtTheNestingLimit) {
    // B placed at (10, 10), turned 90 degrees, scaled 2: its line runs from
    // (10, 10) up to (10, 14).  LOOP inserts itself.
    open("blocks.dxf");
    EXPECT_EQ(scene->pick({10, 13}, 0.01), ids[0]);
    EXPECT_TRUE(scene->pick({12, 10}, 0.01).isNull());
    const QRectF b = scene->boundsOf(ids[0]);
    EXPECT_NEAR(b.top(), 10, 1e-6);
    EXPECT_NEAR(b.bottom(), 14, 1e-6);
    // A block that inserts itself: some copies, each further right, and
    // no endless recursion.
    const QRectF loop = scene->boundsOf(ids[1]);
    EXPECT_GT(loop.width(), 5);
    EXPECT_LT(loop.width(), 20);
}

TEST_F(SceneTest, ChangedErasedAndNewEntitiesAreFollowed) {
    Drawing d;
    d.entities = line(0, 0, 10, 0) + line(0, 5, 10, 5);
    open(d);
    AcDbLine* l = nullptr;
    ASSERT_EQ(acdbOpenObject(l, ids[0], AcDb::kForWrite), Acad::eOk);
    l->setStartPoint({0, 20, 0});
    l->setEndPoint({10, 20, 0});
    l->close();
    scene->entityChanged(ids[0]);
    EXPECT_TRUE(scene->pick({5, 0}, 0.1).isNull());
    EXPECT_EQ(scene->pick({5, 20}, 0.1), ids[0]);
    EXPECT_NEAR(scene->extents().bottom(), 20, 1e-9);

    AcDbEntity* e = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(e, ids[1], AcDb::kForWrite), Acad::eOk);
    e->erase();
    e->close();
    scene->entityChanged(ids[1]);
    EXPECT_TRUE(scene->pick({5, 5}, 0.1).isNull());
    EXPECT_TRUE(scene->boundsOf(ids[1]).isNull());

    // A new line in model space joins the scene on top.
    AcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(acdbOpenObject(ms, db.currentSpaceId(), AcDb::kForWrite), Acad::eOk);
    AcDbObjectId added;
    auto* fresh = new AcDbLine({0, 20, 0}, {10, 20, 0});
    ASSERT_EQ(ms->appendAcDbEntity(added, fresh), Acad::eOk);
    fresh->close();
    ms->close();
    scene->entityChanged(added);
    EXPECT_EQ(scene->pick({5, 20}, 0.1), added);

    // Undoing the change takes the line back out.
    ASSERT_EQ(db.undoLastGroup(), Acad::eOk);
    scene->entityChanged(added);
    EXPECT_EQ(scene->pick({5, 20}, 0.1), ids[0]);
}

TEST(FontMapInUse, IsTheOneTheSettingsNameElseTheDefaultMap) {
    char pattern[] = "/tmp/viewmapXXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::filesystem::path dir(pattern), support = dir / "support";
    std::filesystem::create_directory(support);
    auto write = [](const std::filesystem::path& p, const std::string& text) {
        std::ofstream(p, std::ios::binary) << text;
    };
    const auto settings = dir / "tarsil.ini", named = dir / "other.map";
    // No settings, no default map: none.
    EXPECT_TRUE(FontTypes::inUse(settings, {support}).empty());
    write(dir / "default.map", "[FontMapping]\r\n");
    EXPECT_EQ(FontTypes::inUse(settings, {support}), dir / "default.map");
    write(settings, "[General]\r\nFontMapFile=" + named.string() + "\r\n");
    EXPECT_EQ(FontTypes::inUse(settings, {support}), dir / "default.map");  // named one missing
    write(named, "[FontMapping]\r\nhebnorm=0\r\n");
    EXPECT_EQ(FontTypes::inUse(settings, {support}), named);
    write(settings, "[General]\r\nFontMapFile=\r\n");
    EXPECT_EQ(FontTypes::inUse(settings, {support}), dir / "default.map");
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace cadhost_view_test
