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

class SpinTest : public ::testing::Test {
  protected:
    void SetUp() override {
        spin.SetBuddy(&edit);
        spin.SetDecimals(4);
        spin.SetRangeAndDelta(0.0, 359.0, 0.5);
    }
    QLineEdit edit;
    CNumSpinCtrl spin;
};

TEST_F(SpinTest, ArrowsStepWithinTheRangeAndTypedNumbersAreReported) {
    QSignalSpy stepped(&spin, &CNumSpinCtrl::Stepped);
    QSignalSpy edited(&spin, &CNumSpinCtrl::Edited);
    spin.SetPos(358.0);
    EXPECT_EQ(edit.text(), QStringLiteral("358.0000"));
    for (int i = 0; i < 3; ++i) QTest::mouseClick(spin.UpButton(), Qt::LeftButton);
    EXPECT_EQ(edit.text(), QStringLiteral("359.0000")) << "held at the top of the range";
    QTest::mouseClick(spin.DownButton(), Qt::LeftButton);
    ASSERT_EQ(stepped.count(), 4) << "setting is not stepping";
    EXPECT_EQ(stepped.last().at(0).toDouble(), 358.5);
    edit.clear();
    QTest::keyClicks(&edit, "12.25");
    ASSERT_FALSE(edited.isEmpty());
    EXPECT_EQ(edited.last().at(0).toDouble(), 12.25);
    spin.SetPos(-20.0);
    EXPECT_EQ(spin.Pos(), 0.0) << "below the range";
}

TEST_F(SpinTest, AnEmptyOrBadEditHasNoValueAndASwappedRangeIsTurned) {
    QSignalSpy edited(&spin, &CNumSpinCtrl::Edited);
    QTest::keyClicks(&edit, "abc");
    EXPECT_TRUE(edited.isEmpty()) << "no number, no report";
    EXPECT_FALSE(spin.Pos().has_value());
    spin.Clear();
    QTest::mouseClick(spin.UpButton(), Qt::LeftButton);
    EXPECT_EQ(spin.Pos(), 0.5) << "from an empty edit the arrows start at the lower end";
    spin.SetRangeAndDelta(10.0, -10.0, 0.0);
    EXPECT_EQ(spin.Lower(), -10.0);
    spin.SetPos(3.0);
    QTest::mouseClick(spin.UpButton(), Qt::LeftButton);
    EXPECT_EQ(spin.Pos(), 3.0) << "no step";
    CNumSpinCtrl alone;
    alone.SetPos(1.0);
    EXPECT_FALSE(alone.Pos().has_value()) << "no buddy";
}

TEST(PaneStatusBar, APaneIsWrittenOnlyWhenItsTextChanges) {
    CPaneStatusBar bar({90, 110, 0});
    EXPECT_EQ(bar.PaneCount(), 3);
    EXPECT_TRUE(bar.SetPaneText(0, QStringLiteral("Hebrew")));
    EXPECT_FALSE(bar.SetPaneText(0, QStringLiteral("Hebrew")));
    EXPECT_TRUE(bar.SetPaneText(0, QStringLiteral("English")));
    EXPECT_EQ(bar.PaneText(0), QStringLiteral("English"));
    EXPECT_FALSE(bar.SetPaneText(3, QStringLiteral("x")));
    EXPECT_FALSE(bar.SetPaneText(-1, QStringLiteral("x")));
    EXPECT_EQ(bar.PaneText(7), QString());
}

TEST(IdleRefresh, ATickRunsARequestedRefreshOnce) {
    int runs = 0;
    CIdleRefresh idle(5, [&] { ++runs; });
    idle.Request();
    idle.Request();
    idle.Start();
    QTest::qWait(40);
    EXPECT_EQ(runs, 1) << "two requests, one refresh";
    idle.Stop();
    idle.Request();
    QTest::qWait(20);
    EXPECT_EQ(runs, 1) << "stopped: the request waits";
}

}  // namespace
}  // namespace tarsil::toolkit
