// Selecting with the mouse: the pick box, windows and crossings at a
// selection prompt, the pick-first set at the Command prompt, double-click.
#include "cadhost/editor/selection.h"

#include "cadhost/editor/dblclick.h"
#include "cadhost/rx/rxobject.h"
#include "tests/cadhost_gui/window_fixture.h"

namespace {
class SelectWindowTest : public WindowTest {
  protected:
    // acedSSGet at "Select objects: "; gesture runs at the first prompt,
    // Enter (right click) ends the selection.
    std::vector<AcDbObjectId> select(std::function<void()> gesture) {
        whenWaiting([this, gesture] {
            gesture();
            endSelection();
        });
        ads_name ss;
        if (acedSSGet(nullptr, nullptr, nullptr, nullptr, ss) != RTNORM) return {};
        std::vector<AcDbObjectId> ids = cadhost::selectionSetIds(ss);
        acedSSFree(ss);
        return ids;
    }
    // Right click once the selection prompt asks again (the gesture's
    // answers may take several prompts).
    void endSelection() {
        whenWaiting([this] {
            if (cadhost::currentPrompt().kind != cadhost::PromptKind::Selection ||
                window->pump()->pending() > 0)
                return endSelection();
            click(0, 0, Qt::RightButton);
        });
    }
    void drag(QPointF from, QPointF to) {
        const QPoint a = pixelOf(from.x(), from.y()), b = pixelOf(to.x(), to.y());
        QTest::mousePress(view(), Qt::LeftButton, {}, a);
        QTest::mouseMove(view(), b);
        QTest::mouseRelease(view(), Qt::LeftButton, {}, b);
    }
};

TEST_F(SelectWindowTest, AClickOnATextSelectsItAndAClickOnNothingDoesNot) {
    const AcDbObjectId text = addText(10, 10, L"abc");
    const AcDbObjectId line = addLine(0, 40, 40, 40);
    auto ids = select([this] { click(11, 11); });
    EXPECT_EQ(ids, std::vector<AcDbObjectId>{text});
    EXPECT_TRUE(printed(L"1 found, 1 total"));

    // A line within the pick box of the cursor, not on it exactly.
    ids = select([this] {
        const QPoint near = pixelOf(20, 40) + QPoint(0, 3);
        QTest::mouseClick(view(), Qt::LeftButton, {}, near);
    });
    EXPECT_EQ(ids, std::vector<AcDbObjectId>{line});

    // Outside the pick box: the click opens a window; Escape ends it all.
    whenWaiting([this] {
        QTest::mouseClick(view(), Qt::LeftButton, {}, pixelOf(20, 40) + QPoint(0, 12));
        EXPECT_EQ(window->pump()->pending(), 0u) << "no entity there";
        QTest::keyClick(input(), Qt::Key_Escape);
    });
    ads_name ss;
    EXPECT_EQ(acedSSGet(nullptr, nullptr, nullptr, nullptr, ss), RTCAN);
}

TEST_F(SelectWindowTest, WindowToTheRightEnclosesAndToTheLeftCrosses) {
    const AcDbObjectId inside = addLine(20, 20, 30, 25);
    const AcDbObjectId across = addLine(35, 20, 60, 20);
    const AcDbObjectId outside = addText(100, 100, L"far");
    // Dragged to the right: only what lies wholly inside.
    auto ids = select([this] { drag({15, 30}, {40, 15}); });
    EXPECT_EQ(ids, std::vector<AcDbObjectId>{inside});
    // Two clicks to the left: what the window touches.
    ids = select([this] {
        click(40, 15);
        click(15, 30);
    });
    std::sort(ids.begin(), ids.end());
    std::vector<AcDbObjectId> expected{inside, across};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(ids, expected);
    EXPECT_TRUE(std::find(ids.begin(), ids.end(), outside) == ids.end());
}

TEST_F(SelectWindowTest, WhatIsSelectedSoFarIsShownHighlighted) {
    const AcDbObjectId text = addText(10, 10, L"abc");
    const AcDbObjectId line = addLine(0, 40, 40, 40);
    bool checked = false;
    whenWaiting([&] {
        click(11, 11);
        whenWaiting([&] {
            checked = true;
            EXPECT_EQ(view()->highlighted(), std::set<AcDbObjectId>{text});
            click(0, 0, Qt::RightButton);
        });
    });
    ads_name ss;
    ASSERT_EQ(acedSSGet(nullptr, nullptr, nullptr, nullptr, ss), RTNORM);
    acedSSFree(ss);
    EXPECT_TRUE(checked);
    EXPECT_TRUE(view()->highlighted().empty()) << "the prompt is over";

    // Redraw mode 3 highlights, 4 takes it back.
    ads_name name;
    acdbGetAdsName(name, line);
    acedRedraw(name, 3);
    EXPECT_EQ(view()->highlighted(), std::set<AcDbObjectId>{line});
    acedRedraw(name, 4);
    EXPECT_TRUE(view()->highlighted().empty());
}

TEST_F(SelectWindowTest, ClicksAtTheCommandPromptMakeThePickFirstSetForTheNextCommand) {
    const AcDbObjectId text = addText(10, 10, L"abc");
    const AcDbObjectId line = addLine(0, 40, 40, 40);
    const AcDbObjectId other = addLine(0, -40, 40, -40);
    atCommandPrompts({
        [&] {
            click(11, 11);
            click(20, 40);
            EXPECT_EQ(cadhost::pickfirstIds(), (std::vector<AcDbObjectId>{text, line}));
            EXPECT_EQ(view()->highlighted(), (std::set<AcDbObjectId>{text, line}));
            // Shift-click takes one out again.
            QTest::mouseClick(view(), Qt::LeftButton, Qt::ShiftModifier, pixelOf(20, 40));
            EXPECT_EQ(cadhost::pickfirstIds(), std::vector<AcDbObjectId>{text});
            typeLine(QStringLiteral("ERASE"));
        },
        [&] {
            // Escape drops a pick-first set.
            click(20, -40);
            EXPECT_EQ(cadhost::pickfirstIds(), std::vector<AcDbObjectId>{other});
            QTest::keyClick(input(), Qt::Key_Escape);
            EXPECT_TRUE(cadhost::pickfirstIds().empty());
        },
    });
    EXPECT_FALSE(exists(text)) << "ERASE took the pick-first set";
    EXPECT_TRUE(exists(line));
    EXPECT_TRUE(exists(other));
    EXPECT_FALSE(printed(L"Select objects:")) << "no prompt for a pick-first command";
}

int clicks = 0;
AcDbObjectId clickedId;
class RecordingDoubleClick : public AcDbDoubleClickEdit {
  public:
    AcRxClass* isA() const override { return cadhost::lookupClass(L"GuiTestDoubleClick"); }
    void startEdit(AcDbEntity* ent, AcGePoint3d) override {
        ++clicks;
        clickedId = ent->objectId();
        ent->close();
    }
    void finishEdit() override {}
};

TEST_F(SelectWindowTest, ADoubleClickRunsTheExtensionOfTheEntityUnderTheCursor) {
    AcRxClass* key = newAcRxClass(L"GuiTestDoubleClick", L"AcDbDoubleClickEdit");
    AcRxClass* textClass = cadhost::lookupClass(L"AcDbText");
    RecordingDoubleClick handler;
    textClass->addX(key, &handler);
    addText(0, 0, L"first");
    const AcDbObjectId text = addText(10, 10, L"abc");
    clicks = 0;
    auto doubleClick = [this](double x, double y) {
        const QPoint at = pixelOf(x, y);
        QTest::mouseClick(view(), Qt::LeftButton, {}, at);
        QTest::mousePress(view(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(view(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(view(), Qt::LeftButton, {}, at);
    };
    atCommandPrompts({
        [&] { doubleClick(11, 11); },
        [&] {
            // On nothing: no command.
            doubleClick(30, -30);
            EXPECT_EQ(window->pump()->pending(), 0u);
            QTest::keyClick(input(), Qt::Key_Escape);
        },
    });
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(clickedId, text);
    textClass->delX(key);
    deleteAcRxClass(key);
}

}  // namespace
