// The view and the frame: zoom and pan, ZOOM, repainting what changed,
// following the drawing, the host's windows and alerts.
#include <unistd.h>

#include <QMessageBox>
#include <QPaintEvent>
#include <QWheelEvent>
#include <filesystem>
#include <fstream>

#include "cadhost/editor/host.h"
#include "cadhost/editor/selection.h"
#include "cadhost/editor/sysvars.h"
#include "cadhost/editor/windows.h"
#include "tests/cadhost_gui/window_fixture.h"

namespace {

class ViewWindowTest : public WindowTest {
  protected:
    void wheel(QPointF at, int delta) {
        QWheelEvent event(at, view()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view(), &event);
    }
};

// The rectangles a widget is painted in.
class PaintRecorder : public QObject {
  public:
    explicit PaintRecorder(QWidget* w) { w->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) painted |= static_cast<QPaintEvent*>(e)->rect();
        return false;
    }
    QRect painted;
};

TEST_F(ViewWindowTest, WheelZoomKeepsThePointUnderTheCursorMiddleButtonPansZoomWindowFits) {
    addLine(0, 0, 100, 60);
    typeCommands({});  // one prompt: the view takes the drawing
    const QPointF at(123, 77), before = view()->transform().toWorld(at);
    const double scale = view()->transform().pixelsPerUnit;
    wheel(at, 240);
    EXPECT_NEAR(view()->transform().pixelsPerUnit, scale * 1.25 * 1.25, scale * 1e-12);
    EXPECT_NEAR(view()->transform().toWorld(at).x(), before.x(), 1e-9) << "about the cursor";
    const QPoint from(200, 150), to(260, 110);
    const QPointF grabbed = view()->transform().toWorld(from);
    QTest::mousePress(view(), Qt::MiddleButton, {}, from);
    QTest::mouseMove(view(), to);
    QTest::mouseRelease(view(), Qt::MiddleButton, {}, to);
    EXPECT_NEAR(view()->transform().toWorld(to).y(), grabbed.y(), 1e-9) << "it follows the mouse";
    typeCommands({"ZOOM W 10,10 30,20"});
    const QRectF shown = view()->transform().visibleWorld();
    EXPECT_TRUE(shown.contains(QRectF(10, 10, 20, 10)) && shown.width() < 30) << "ZOOM W";
}

TEST_F(ViewWindowTest, AChangedTextRepaintsItsOwnPlaceOnlyAndANewDrawingIsShown) {
    const AcDbObjectId text = addText(10, 10, L"short");
    addLine(0, 0, 200, 120);
    typeCommands({});
    PaintRecorder paints(view());
    QApplication::processEvents();
    paints.painted = {};
    AcDbText* t = nullptr;
    ASSERT_EQ(acdbOpenObject(t, text, AcDb::kForWrite), Acad::eOk);
    t->setTextString(L"a much longer text than before");
    t->close();
    typeCommands({});  // the change is applied from the event loop
    QApplication::processEvents();
    EXPECT_FALSE(paints.painted.isEmpty()) << "the change was not repainted";
    EXPECT_LT(paints.painted.width(), view()->width() / 2) << "not the whole view";
    EXPECT_TRUE(paints.painted.contains(pixelOf(10, 10)));
    // Highlighted by acedRedraw: lit at once.
    ads_name name;
    ASSERT_EQ(acdbGetAdsName(name, text), Acad::eOk);
    acedRedraw(name, 3);
    QApplication::processEvents();
    EXPECT_GT(pixelsOf(cadhost::view::DrawingScene::highlightColor()), 20);
    typeCommands({"NEW"});
    EXPECT_TRUE(view()->scene()->extents().isEmpty()) << "the new, empty drawing is shown";
}

TEST_F(ViewWindowTest, TheWindowIsTheHostFrameAndShowsAlerts) {
    EXPECT_EQ(acedGetAcadFrame(), window.get());
    EXPECT_EQ(adsw_acadMainWnd(), window.get());
    EXPECT_EQ(adsw_acadDocWnd(), view());
    QString shown;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->parentWidget(), window.get()) << "modal to the window";
        shown = box->text();
        box->accept();
    });
    acedAlert(L"Cannot open Text for writing!");
    EXPECT_EQ(shown, QStringLiteral("Cannot open Text for writing!"));
    EXPECT_FALSE(printed(L"Cannot open")) << "not on the command line as well";
    window->detachFromHost();
    EXPECT_EQ(acedGetAcadFrame(), nullptr);
}

}  // namespace

TEST_F(ViewWindowTest, AFontMapWrittenWhileTheWindowIsOpenIsDrawnWithAtTheNextPrompt) {
    const std::filesystem::path support =
        std::filesystem::temp_directory_path() / ("cadhost-map-" + std::to_string(getpid()));
    std::filesystem::create_directories(support);
    auto writeMap = [&](const char* type, const char* padding) {
        std::ofstream(support / "default.map")
            << "[FontMapping]\nmyfont=" << type << padding << "\n";
    };
    auto typeOfMyFont = [&] { return view()->scene()->fontTypes().ofFont(L"myfont.shx"); };
    writeMap("2", "");
    ASSERT_TRUE(
        cadhost::setVarInternal(L"ACADPREFIX", cadhost::VarValue::ofString(support.wstring())));
    addLine(0, 0, 10, 10);
    typeCommands({});
    EXPECT_EQ(typeOfMyFont(), tarsil::FontType::HebrewBackward);
    writeMap("4", "\n; rewritten");  // another size: a change even within one clock tick
    typeCommands({});
    EXPECT_EQ(typeOfMyFont(), tarsil::FontType::D2w);
    std::filesystem::remove_all(support);
    typeCommands({});  // no map at all: every font is unknown
    EXPECT_EQ(typeOfMyFont(), tarsil::FontType::Unknown);
}
