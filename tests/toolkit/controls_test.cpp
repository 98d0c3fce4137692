// The small controls of the toolkit: the numeric spin, image check buttons,
// the pane status bar, the idle refresh, and the grid's end of an edit and
// its report of the selected rows.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPixmap>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include "tests/module/qt_application.h"
#include "tests/toolkit/qt_print.h"
#include "toolkit/grid/grid.h"
#include "toolkit/idle/idle_refresh.h"
#include "toolkit/image_button/image_check_button.h"
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

TEST(ImageCheckButton, SettingIsSilent) {
    CImageCheckButton button(QPixmap(16, 16), QStringLiteral("Hebrew"));
    QSignalSpy toggled(&button, &QToolButton::toggled);
    button.SetPressed(true);
    EXPECT_TRUE(button.IsPressed());
    EXPECT_TRUE(toggled.isEmpty());
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

TEST(GridEdit, EndEditCommitsOrDropsTheOpenEditAndSelectionIsReported) {
    Grid grid;
    grid.SetColumnCount(1);
    grid.SetRowCount(3);
    grid.setSelectionBehavior(QAbstractItemView::SelectRows);
    grid.setSelectionMode(QAbstractItemView::ExtendedSelection);
    grid.resize(200, 150);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    QSignalSpy selection(&grid, &Grid::rowSelectionChanged);
    QSignalSpy committed(&grid, &Grid::editCommitted);
    grid.SelectRow(1);
    EXPECT_GE(selection.count(), 1);
    EXPECT_FALSE(grid.EndEdit(true)) << "no edit open";
    ASSERT_TRUE(grid.EditCell(1, 0));
    auto* line = qobject_cast<QLineEdit*>(grid.CellEditorWidget(1, 0));
    ASSERT_NE(line, nullptr);
    line->setText(QStringLiteral("kept"));
    EXPECT_TRUE(grid.EndEdit(true));
    EXPECT_EQ(grid.Text(1, 0), QStringLiteral("kept"));
    EXPECT_EQ(committed.count(), 1);
    ASSERT_TRUE(grid.EditCell(1, 0));
    qobject_cast<QLineEdit*>(grid.CellEditorWidget(1, 0))->setText(QStringLiteral("dropped"));
    EXPECT_TRUE(grid.EndEdit(false));
    QCoreApplication::processEvents();
    EXPECT_EQ(grid.Text(1, 0), QStringLiteral("kept"));
    EXPECT_EQ(grid.CellEditorWidget(1, 0), nullptr);
    EXPECT_EQ(committed.count(), 1);
    const int before = static_cast<int>(selection.count());
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      grid.visualRect(grid.model()->index(2, 0)).center());
    EXPECT_GT(selection.count(), before);
    EXPECT_EQ(grid.SelectedRows(), (std::vector<int>{1, 2}));
}

}  // namespace
}  // namespace tarsil::toolkit
