// The view and the frame: zoom and pan, ZOOM, repainting what changed,
// following the drawing, the host's windows and alerts, closing.
#include <QLabel>
#include <QMessageBox>
#include <QPaintEvent>
#include <QWheelEvent>

#include "cadhost/editor/host.h"
#include "cadhost/editor/ucs.h"
#include "cadhost/editor/windows.h"
#include "tests/cadhost_gui/window_fixture.h"

namespace {
class ViewWindowTest : public WindowTest {
  protected:
    // Runs the lines at the Command prompt, then closes the input.
    void runLines(std::vector<QString> lines) {
        std::size_t next = 0;
        window->pump()->reopen();
        auto connection =
            QObject::connect(window->pump(), &cadhost::gui::PromptPump::waitingForAnswer, [&] {
                if (window->pump()->pending() > 0) return;
                if (next == lines.size()) return window->pump()->close();
                const QString line = lines[next++];
                whenWaiting([this, line] { typeLine(line); });
            });
        cadhost::runCommandLoop();
        QObject::disconnect(connection);
    }
    void wheel(QPointF at, int delta) {
        QWheelEvent event(at, view()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view(), &event);
    }
};

// Paint events of a widget, by their rectangles.
class PaintRecorder : public QObject {
  public:
    explicit PaintRecorder(QWidget* w) { w->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) rects.push_back(static_cast<QPaintEvent*>(e)->rect());
        return false;
    }
    std::vector<QRect> rects;
};

TEST_F(ViewWindowTest, WheelZoomKeepsThePointUnderTheCursorAndMiddleButtonPans) {
    addLine(0, 0, 100, 60);
    runLines({});  // one prompt: the view takes the drawing
    const QPointF at(123, 77);
    const QPointF before = view()->transform().toWorld(at);
    const double scale = view()->transform().pixelsPerUnit;
    wheel(at, 240);
    EXPECT_NEAR(view()->transform().pixelsPerUnit, scale * 1.25 * 1.25, scale * 1e-12);
    const QPointF after = view()->transform().toWorld(at);
    EXPECT_NEAR(after.x(), before.x(), 1e-9);
    EXPECT_NEAR(after.y(), before.y(), 1e-9);
    wheel(at, -120);
    EXPECT_NEAR(view()->transform().pixelsPerUnit, scale * 1.25, scale * 1e-12) << "out again";

    // Middle button: the point grabbed follows the mouse.
    const QPoint from(200, 150), to(260, 110);
    const QPointF grabbed = view()->transform().toWorld(from);
    QTest::mousePress(view(), Qt::MiddleButton, {}, from);
    QTest::mouseMove(view(), to);
    QTest::mouseRelease(view(), Qt::MiddleButton, {}, to);
    const QPointF now = view()->transform().toWorld(to);
    EXPECT_NEAR(now.x(), grabbed.x(), 1e-9);
    EXPECT_NEAR(now.y(), grabbed.y(), 1e-9);
}

TEST_F(ViewWindowTest, ZoomWindowAndExtents) {
    addLine(0, 0, 100, 60);
    runLines({"ZOOM W", "10,10", "30,20"});
    QRectF shown = view()->transform().visibleWorld();
    EXPECT_TRUE(shown.contains(QRectF(10, 10, 20, 10))) << "the window is shown whole";
    EXPECT_LT(shown.width(), 30) << "and fills the view";
    EXPECT_TRUE(!shown.contains(QPointF(0, 0)));

    // A corner given at once is a window too; Extents shows everything.
    runLines({"ZOOM", "50,30", "60,40", "ZOOM", "nowhere", "E"});
    EXPECT_TRUE(printed(L"Point or option keyword required."));
    shown = view()->transform().visibleWorld();
    EXPECT_TRUE(shown.contains(QRectF(0, 0, 100, 60)));
    EXPECT_LT(shown.width(), 200);
}

TEST_F(ViewWindowTest, AChangedTextRepaintsItsOwnPlaceOnly) {
    const AcDbObjectId text = addText(10, 10, L"short");
    addLine(0, 0, 200, 120);
    runLines({});
    PaintRecorder paints(view());
    QApplication::processEvents();
    paints.rects.clear();
    AcDbText* t = nullptr;
    ASSERT_EQ(acdbOpenObject(t, text, AcDb::kForWrite), Acad::eOk);
    t->setTextString(L"a much longer text than before");
    t->close();
    runLines({});  // the change is applied from the event loop
    QApplication::processEvents();
    ASSERT_FALSE(paints.rects.empty()) << "the change was not repainted";
    QRect painted;
    for (const QRect& r : paints.rects) painted |= r;
    EXPECT_LT(painted.width(), view()->width() / 2) << "not the whole view";
    EXPECT_TRUE(painted.contains(pixelOf(10, 10))) << "where the text starts";
    const QRectF bounds = view()->scene()->boundsOf(text);
    EXPECT_GT(bounds.width(), 30) << "the scene has the new text";
}

TEST_F(ViewWindowTest, TheViewFollowsTheDrawingThatIsOpen) {
    addLine(0, 0, 10, 10);
    runLines({});
    ASSERT_NE(view()->scene(), nullptr);
    EXPECT_EQ(view()->scene()->database(), db());
    runLines({"NEW"});
    EXPECT_EQ(view()->scene()->database(), db()) << "the new drawing";
    EXPECT_TRUE(view()->scene()->extents().isEmpty()) << "the new drawing is empty";
    // Paper space is a scene of its own.
    addLine(0, 0, 10, 10);
    runLines({"(setvar \"TILEMODE\" 0)"});
    EXPECT_TRUE(view()->scene()->isPaperSpace());
    EXPECT_TRUE(view()->scene()->extents().isEmpty()) << "nothing in paper space";
    runLines({"(setvar \"TILEMODE\" 1)"});
    EXPECT_FALSE(view()->scene()->isPaperSpace());
    EXPECT_FALSE(view()->scene()->extents().isEmpty()) << "model space has the line";
}

TEST_F(ViewWindowTest, TheWindowIsTheHostFrameAndShowsAlerts) {
    EXPECT_EQ(acedGetAcadFrame(), window.get());
    EXPECT_EQ(adsw_acadMainWnd(), window.get());
    EXPECT_EQ(adsw_acadDocWnd(), view());
    QString shown;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        shown = box->text();
        EXPECT_EQ(box->parentWidget(), window.get());
        box->accept();
    });
    acedAlert(L"Cannot open Text for writing!");
    EXPECT_EQ(shown, QStringLiteral("Cannot open Text for writing!"));
    EXPECT_FALSE(printed(L"Cannot open")) << "not on the command line as well";
    window->detachFromHost();
    EXPECT_EQ(acedGetAcadFrame(), nullptr);
    EXPECT_EQ(adsw_acadDocWnd(), nullptr);
}

TEST_F(ViewWindowTest, StatusBarShowsTheCursorInTheUserSystem) {
    addLine(0, 0, 100, 60);
    runLines({"UCS 10,20", ""});
    auto& t = view()->transform();
    t.pixelsPerUnit = 2;
    t.center = QPointF(30, 40);
    const QPoint at = pixelOf(36, 45);
    QMouseEvent move(QEvent::MouseMove, at, view()->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(view(), &move);
    EXPECT_EQ(window->coordinates()->text(), QStringLiteral("26.0000, 25.0000, 0.0000"));
}

TEST_F(ViewWindowTest, ClosingTheWindowQuitsThroughTheHost) {
    addLine(0, 0, 10, 10);  // a change: QUIT asks first
    int prompts = 0;
    auto connection =
        QObject::connect(window->pump(), &cadhost::gui::PromptPump::waitingForAnswer, [&] {
            ++prompts;
            if (prompts == 1) whenWaiting([this] { window->close(); });
            if (prompts == 2) whenWaiting([this] { typeLine("N"); });  // keep the drawing
            if (prompts == 3) {
                EXPECT_TRUE(window->isVisible());
                whenWaiting([this] { window->close(); });
            }
            if (prompts == 4) whenWaiting([this] { typeLine("Y"); });
            if (prompts > 4) window->pump()->close();
        });
    cadhost::runCommandLoop();
    QObject::disconnect(connection);
    EXPECT_TRUE(cadhost::quitRequested());
    EXPECT_EQ(prompts, 4);
    const std::wstring asked = L"Really want to discard";
    const auto first = out.find(asked);
    ASSERT_NE(first, std::wstring::npos);
    EXPECT_NE(out.find(asked, first + 1), std::wstring::npos) << "asked at each close";
}

}  // namespace
