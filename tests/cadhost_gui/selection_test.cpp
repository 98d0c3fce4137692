// Selecting with the mouse: the pick box, windows and crossings at a
// selection prompt, the pick-first set at the Command prompt, double-click.
#include "cadhost/editor/selection.h"

#include "tests/cadhost_gui/window_fixture.h"

namespace {

class SelectWindowTest : public WindowTest {
  protected:
    // acedSSGet with the gesture made at its prompt, then right click.
    std::vector<AcDbObjectId> select(std::function<void()> gesture) {
        whenWaiting([this, gesture] {
            gesture();
            endSelection();
        });
        ads_name ss;
        if (acedSSGet(nullptr, nullptr, nullptr, nullptr, ss) != RTNORM) return {};
        std::vector<AcDbObjectId> ids = cadhost::selectionSetIds(ss);
        acedSSFree(ss);
        std::sort(ids.begin(), ids.end());
        return ids;
    }
    // Once the gesture's answers are taken and "Select objects" asks again.
    void endSelection() {
        whenWaiting([this] {
            if (cadhost::currentPrompt().kind != cadhost::PromptKind::Selection ||
                window->pump()->pending() > 0)
                return endSelection();
            click(0, 0, Qt::RightButton);
        });
    }
};

TEST_F(SelectWindowTest, AClickSelectsWhatIsWithinThePickBoxAndEscapeCancels) {
    const AcDbObjectId text = addText(10, 10, L"abc");
    const AcDbObjectId line = addLine(0, 40, 40, 40);
    EXPECT_EQ(select([this] { click(11, 11); }), std::vector<AcDbObjectId>{text});
    const QPoint nearLine = pixelOf(20, 40) + QPoint(0, 3);
    EXPECT_EQ(select([&] { QTest::mouseClick(view(), Qt::LeftButton, {}, nearLine); }),
              std::vector<AcDbObjectId>{line});
    whenWaiting([&] {
        click(30, 20);  // nothing there: a window opens
        EXPECT_EQ(window->pump()->pending(), 0u);
        QTest::keyClick(input(), Qt::Key_Escape);
    });
    ads_name ss;
    EXPECT_EQ(acedSSGet(nullptr, nullptr, nullptr, nullptr, ss), RTCAN);
}

TEST_F(SelectWindowTest, WindowToTheRightEnclosesAndToTheLeftCrosses) {
    const AcDbObjectId inside = addLine(20, 20, 30, 25);
    const AcDbObjectId across = addLine(35, 20, 60, 20);
    addText(100, 100, L"far");
    // Pressed, dragged to the right and let go: what lies wholly inside.
    const auto dragged = select([this] {
        QTest::mousePress(view(), Qt::LeftButton, {}, pixelOf(15, 30));
        QTest::mouseMove(view(), pixelOf(40, 15));
        QTest::mouseRelease(view(), Qt::LeftButton, {}, pixelOf(40, 15));
    });
    EXPECT_EQ(dragged, std::vector<AcDbObjectId>{inside});
    // Two clicks to the left: what the window touches.
    std::vector<AcDbObjectId> touched{inside, across};
    std::sort(touched.begin(), touched.end());
    EXPECT_EQ(select([this] {
                  click(40, 15);
                  click(15, 30);
              }),
              touched);
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

TEST_F(SelectWindowTest, ADoubleClickRunsTheExtensionOfTheEntityUnderTheCursor) {
    addText(0, 0, L"first");
    const AcDbObjectId text = addText(10, 10, L"abc");
    // The host's own extension on texts asks for the new text.
    atCommandPrompts({[&] {
        QTest::mouseClick(view(), Qt::LeftButton, {}, pixelOf(11, 11));
        QTest::mouseDClick(view(), Qt::LeftButton, {}, pixelOf(11, 11));
        whenWaiting([&] { typeLine(QStringLiteral("clicked")); });
    }});
    EXPECT_TRUE(printed(L"Enter new text <abc>: clicked"));
    EXPECT_EQ(textOf(text), L"clicked");
}

}  // namespace
