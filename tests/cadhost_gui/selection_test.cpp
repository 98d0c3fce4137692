// Selecting with the mouse: the pick box, windows and crossings at a
// selection prompt, the pick-first set at the Command prompt, double-click.
#include "cadhost/editor/selection.h"

#include <cmath>

#include "cadhost/editor/dblclick.h"
#include "tests/cadhost_gui/window_fixture.h"

namespace {

class SelectWindowTest : public WindowTest {
  protected:
    // acedSSGet with the gesture made at its prompt; once its answers are
    // taken and "Select objects" asks again, `then`, and right click.
    std::vector<AcDbObjectId> select(
        std::function<void()> gesture, std::function<void()> then = [] {}) {
        whenWaiting([this, gesture, then] {
            gesture();
            endSelection(then);
        });
        ads_name ss;
        if (acedSSGet(nullptr, nullptr, nullptr, nullptr, ss) != RTNORM) return {};
        std::vector<AcDbObjectId> ids = cadhost::selectionSetIds(ss);
        acedSSFree(ss);
        std::sort(ids.begin(), ids.end());
        return ids;
    }
    void endSelection(std::function<void()> then) {
        whenWaiting([this, then] {
            if (cadhost::currentPrompt().kind != cadhost::PromptKind::Selection ||
                window->pump()->pending() > 0)
                return endSelection(then);
            then();
            click(0, 0, Qt::RightButton);
        });
    }
};

TEST_F(SelectWindowTest, AClickSelectsAndHighlightsWhatItHits) {
    const AcDbObjectId text = addText(10, 10, L"abc");
    int unlit = -1, lit = -1;  // pixels in the highlight's colour
    const QColor highlight = cadhost::view::DrawingScene::highlightColor();
    EXPECT_EQ(select(
                  [&] {
                      unlit = pixelsOf(highlight);
                      click(11, 11);
                  },
                  [&] { lit = pixelsOf(highlight); }),
              std::vector<AcDbObjectId>{text});
    EXPECT_EQ(unlit, 0);
    EXPECT_GT(lit, 20) << "what the selection took is drawn highlighted";
}

TEST_F(SelectWindowTest, WindowToTheRightEnclosesAndToTheLeftCrossesWhatTheScreenShows) {
    const AcDbObjectId inside = addLine(20, 20, 30, 25);
    const AcDbObjectId across = addLine(35, 20, 60, 20);
    addText(100, 100, L"far");
    addLine(26, 10, 29, 10);  // below the window; inside it if it turned with the user system
    std::vector<AcDbObjectId> touched{inside, across};
    std::sort(touched.begin(), touched.end());
    // The rubber band while the window is drawn, solid blue.
    const QColor window(70, 130, 230);
    turnUcs(M_PI / 6, 3, 1);
    int band = 0;
    const auto dragged = select([&] {
        QTest::mousePress(view(), Qt::LeftButton, {}, pixelOf(15, 30));
        QTest::mouseMove(view(), pixelOf(40, 15));
        band = pixelsOf(window);
        QTest::mouseRelease(view(), Qt::LeftButton, {}, pixelOf(40, 15));
    });
    EXPECT_EQ(dragged, std::vector<AcDbObjectId>{inside}) << "pressed and dragged";
    EXPECT_GT(band, pixelOf(40, 15).x() - pixelOf(15, 30).x()) << "no band while dragging";
    // The first click, on nothing, opens the window.
    EXPECT_EQ(select([&] {
                  click(40, 15);
                  click(15, 30);
              }),
              touched)
        << "two clicks to the left";
}

TEST_F(SelectWindowTest, ClicksAtTheCommandPromptMakeThePickFirstSetForTheNextCommand) {
    const AcDbObjectId text = addText(10, 10, L"abc");
    const AcDbObjectId line = addLine(0, 40, 40, 40);
    atCommandPrompts({[&] {
        click(11, 11);
        click(20, 40);
        EXPECT_EQ(view()->highlighted(), (std::set<AcDbObjectId>{text, line}));
        QTest::mouseClick(view(), Qt::LeftButton, Qt::ShiftModifier, pixelOf(20, 40));
        EXPECT_EQ(cadhost::pickfirstIds(), std::vector<AcDbObjectId>{text}) << "shift: out";
        typeLine(QStringLiteral("ERASE"));
    }});
    EXPECT_FALSE(exists(text)) << "ERASE took the pick-first set";
    EXPECT_TRUE(exists(line));
    EXPECT_FALSE(printed(L"Select objects:"));
}

// A module's extension: what it was given.
struct RecordingEdit : AcDbDoubleClickEdit {
    AcRxClass* isA() const override { return cadhost::lookupClass(L"GuiDoubleClickEdit"); }
    void startEdit(AcDbEntity* ent, AcGePoint3d at) override {
        got.emplace_back(ent->objectId(), at);
        ent->close();
    }
    void finishEdit() override {}
    std::vector<std::pair<AcDbObjectId, AcGePoint3d>> got;
};

TEST_F(SelectWindowTest, ADoubleClickTellsTheExtensionTheEntityAndWhereItWasClicked) {
    AcRxClass* key = newAcRxClass(L"GuiDoubleClickEdit", L"AcDbDoubleClickEdit");
    RecordingEdit edit;
    AcRxClass* classes[] = {cadhost::lookupClass(L"AcDbText"), cadhost::lookupClass(L"AcDbLine")};
    for (AcRxClass* c : classes) c->addX(key, &edit);
    const AcDbObjectId text = addText(10, 10, L"abc");
    const AcDbObjectId line = addLine(0, 40, 400, 40);
    turnUcs(M_PI / 6, 4, -2);
    double halfPixel = 0;
    atCommandPrompts({[&] {
                          halfPixel = 0.5 / view()->transform().pixelsPerUnit;
                          QTest::mouseDClick(view(), Qt::LeftButton, {}, pixelOf(11, 11.5));
                      },
                      [&] {
                          // Within the window's pick box, beyond the host's own.
                          const QPoint near = pixelOf(200, 40) + QPoint(0, 3);
                          QTest::mouseDClick(view(), Qt::LeftButton, {}, near);
                      }});
    for (AcRxClass* c : classes) c->delX(key);
    deleteAcRxClass(key);
    ASSERT_EQ(edit.got.size(), 2u);
    EXPECT_EQ(edit.got[0].first, text);
    EXPECT_NEAR(edit.got[0].second.x, 11, halfPixel) << "the clicked point, in world terms";
    EXPECT_NEAR(edit.got[0].second.y, 11.5, halfPixel);
    EXPECT_EQ(edit.got[1].first, line);
    EXPECT_NEAR(edit.got[1].second.x, 200, halfPixel) << "the host picks as the window does";
    EXPECT_NEAR(edit.got[1].second.y, 40 - 6 * halfPixel, halfPixel);
}

}  // namespace
