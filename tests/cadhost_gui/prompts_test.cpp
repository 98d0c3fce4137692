// Prompts answered in the window: typed on the command line, clicked in the
// view, cancelled; the nested event loop they wait in.
#include "cadhost/editor/prompts.h"

#include <QLabel>
#include <cmath>

#include "cadhost/editor/ucs.h"
#include "tests/cadhost_gui/window_fixture.h"
#include "tests/module/qt_application.h"

namespace {
// One application for the whole binary; the other files share it.
const auto* const kQt = ::testing::AddGlobalTestEnvironment(new tarsil::testing::QtApplication);

using PromptWindowTest = WindowTest;

TEST_F(PromptWindowTest, TypedAndClickedPointsGiveTheSameResult) {
    addLine(-50, -50, 50, 50);
    turnUcs(M_PI / 6, 4, -2);  // turned and moved: the click must come back in it
    const double wx = 7.5, wy = 3.25, dx = wx - 4, dy = wy + 2;
    const double ux = dx * std::cos(M_PI / 6) + dy * std::sin(M_PI / 6);
    const double uy = -dx * std::sin(M_PI / 6) + dy * std::cos(M_PI / 6);
    ads_point typed, clicked;
    whenWaiting([&] {
        // The input has the focus while the prompt waits.
        EXPECT_EQ(QApplication::focusWidget(), input());
        typeLine(QString::asprintf("%.17g,%.17g", ux, uy));
    });
    ASSERT_EQ(acedGetPoint(nullptr, L"Point: ", typed), RTNORM);
    whenWaiting([&] {
        // The world point on a whole pixel.
        view()->transform().pixelsPerUnit = 4;
        view()->transform().center = QPointF(wx + 25, wy - 18.75);
        click(wx, wy);
    });
    ASSERT_EQ(acedGetPoint(nullptr, L"Point: ", clicked), RTNORM);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(clicked[i], typed[i], 1e-9) << "axis " << i;
    // The status bar follows the cursor in the same system.
    QTest::mouseMove(view(), pixelOf(wx, wy));
    EXPECT_EQ(window->coordinates()->text(), QString::asprintf("%.4f, %.4f, 0.0000", ux, uy));
}

TEST_F(PromptWindowTest, EscapeCancelsAndRightClickIsEnter) {
    addLine(0, 0, 10, 10);
    ads_point p;
    whenWaiting([&] { QTest::keyClick(input(), Qt::Key_Escape); });
    EXPECT_EQ(acedGetPoint(nullptr, L"Point: ", p), RTCAN);
    whenWaiting([&] { click(5, 5, Qt::RightButton); });
    EXPECT_EQ(acedGetPoint(nullptr, L"Point: ", p), RTNONE);
}

}  // namespace
