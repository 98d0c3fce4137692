// The small controls of the toolkit: the numeric spin, the pane status bar
// and the idle refresh.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include "tests/module/qt_application.h"
#include "tests/toolkit/qt_print.h"
#include "toolkit/idle/idle_refresh.h"
#include "toolkit/numspin/num_spin_ctrl.h"
#include "toolkit/status_bar/pane_status_bar.h"

namespace tarsil::toolkit {
namespace {

const auto* const kQt = ::testing::AddGlobalTestEnvironment(new testing::QtApplication);

TEST(NumSpin, ArrowsStepWithinTheRangeAndOnlyNumbersAreReported) {
    QLineEdit edit;
    CNumSpinCtrl spin;
    spin.SetBuddy(&edit);
    spin.SetDecimals(4);
    spin.SetRangeAndDelta(0.0, 359.0, 0.5);
    QSignalSpy stepped(&spin, &CNumSpinCtrl::Stepped);
    QSignalSpy edited(&spin, &CNumSpinCtrl::Edited);
    spin.SetPos(358.0);
    EXPECT_EQ(edit.text(), QStringLiteral("358.0000"));
    for (int i = 0; i < 3; ++i) QTest::mouseClick(spin.UpButton(), Qt::LeftButton);
    EXPECT_EQ(edit.text(), QStringLiteral("359.0000")) << "held at the top of the range";
    QTest::mouseClick(spin.DownButton(), Qt::LeftButton);
    ASSERT_EQ(stepped.count(), 4) << "setting is not stepping";
    EXPECT_EQ(stepped.last().at(0).toDouble(), 358.5);
    spin.SetPos(-20.0);
    EXPECT_EQ(spin.Pos(), 0.0) << "below the range";

    edit.clear();
    QTest::keyClicks(&edit, "abc");
    EXPECT_FALSE(spin.Pos().has_value());
    EXPECT_TRUE(edited.isEmpty()) << "no number, no report";
    edit.clear();
    QTest::keyClicks(&edit, "12.25");
    ASSERT_FALSE(edited.isEmpty());
    EXPECT_EQ(edited.last().at(0).toDouble(), 12.25);
    spin.Clear();
    QTest::mouseClick(spin.UpButton(), Qt::LeftButton);
    EXPECT_EQ(spin.Pos(), 0.5) << "from an empty edit the arrows start at the lower end";

    spin.SetRangeAndDelta(10.0, -10.0, 0.0);
    EXPECT_EQ(spin.Lower(), -10.0) << "a swapped range is turned";
    spin.SetPos(3.0);
    QTest::mouseClick(spin.UpButton(), Qt::LeftButton);
    EXPECT_EQ(spin.Pos(), 3.0) << "no step";
    CNumSpinCtrl alone;
    alone.SetPos(1.0);
    EXPECT_FALSE(alone.Pos().has_value()) << "no buddy";
}

TEST(PaneStatusBar, APaneIsWrittenOnlyWhenItsTextChanges) {
    CPaneStatusBar bar({90, 110, 0});
    EXPECT_TRUE(bar.SetPaneText(0, QStringLiteral("Hebrew")));
    EXPECT_FALSE(bar.SetPaneText(0, QStringLiteral("Hebrew")));
    EXPECT_TRUE(bar.SetPaneText(0, QStringLiteral("English")));
    EXPECT_FALSE(bar.SetPaneText(3, QStringLiteral("x")));
    EXPECT_FALSE(bar.SetPaneText(-1, QStringLiteral("x")));
    EXPECT_EQ(bar.PaneText(7), QString());
}

TEST(IdleRefresh, ATickRunsARequestedRefreshOnceAndOnlyWhileStarted) {
    int runs = 0;
    int ticks = 0;
    CIdleRefresh idle(1, [&] { ++runs; });
    // A clock of the same interval; its refresh asks for the next one,
    // which waits for the next tick.
    CIdleRefresh clock(1, [&] { ++ticks, clock.Request(); });
    const auto ticked = [&](int n) {
        return QTest::qWaitFor([&, until = ticks + n] { return ticks >= until; });
    };
    idle.Request();
    idle.Request();
    clock.Request();
    idle.Start();
    clock.Start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return runs > 0; }));
    ASSERT_TRUE(ticked(3));
    EXPECT_EQ(runs, 1) << "two requests, one refresh";
    idle.Stop();
    idle.Request();
    ASSERT_TRUE(ticked(3));
    EXPECT_EQ(runs, 1) << "stopped: the request waits";
    EXPECT_TRUE(idle.IsRequested());
    EXPECT_FALSE(idle.IsRunning());
}

}  // namespace
}  // namespace tarsil::toolkit
