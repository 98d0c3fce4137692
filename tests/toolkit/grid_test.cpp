// The grid, driven by mouse and keys as a user drives it.
#include "toolkit/grid/grid.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

#include "tests/module/qt_application.h"
#include "tests/toolkit/qt_print.h"

namespace tarsil::toolkit {

namespace {

const auto* const kQt = ::testing::AddGlobalTestEnvironment(new testing::QtApplication);

using Signals = QList<QList<QVariant>>;

// A multi-line editor that keeps Enter for itself, like a text grid's.
class LinesEditor : public CellEditor {
  public:
    QWidget* Create(QWidget* parent, int, int) override {
        ++created;
        return new QPlainTextEdit(parent);
    }
    void SetText(QWidget* editor, const QString& text) override {
        static_cast<QPlainTextEdit*>(editor)->setPlainText(text);
    }
    QString Text(const QWidget* editor) const override {
        return static_cast<const QPlainTextEdit*>(editor)->toPlainText();
    }
    bool WantsKey(const QKeyEvent& key) const override {
        return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
    }
    int created = 0;
};

// Three rows of a read-only name with a "..." button and a list of types.
class GridTest : public ::testing::Test {
  protected:
    void SetUp() override {
        grid_.resize(400, 300);
        grid_.SetColumnCount(2);
        grid_.SetRowCount(3);
        for (int row = 0; row < 3; ++row) {
            grid_.SetCell(
                row, 0, {.text = QString("font%1").arg(row), .editable = false, .ellipsis = true});
            grid_.SetCell(
                row, 1,
                {.text = "One", .kind = CellKind::List, .options = {"One", "Two", "Three"}});
        }
        grid_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid_));
    }

    QPoint Center(int row, int column) const {
        return grid_.visualRect(grid_.model()->index(row, column)).center();
    }
    QPoint EllipsisOf(int row) const {
        const QRect cell = grid_.visualRect(grid_.model()->index(row, 0));
        return {cell.right() - Grid::kEllipsisWidth / 2, cell.center().y()};
    }
    // An edit ends once events are handled.
    bool EditorCloses(int row, int column) {
        return QTest::qWaitFor([&] { return grid_.CellEditorWidget(row, column) == nullptr; });
    }
    // Opens the list cell with one click and clicks its option at.
    void Choose(int row, int at, const QString& shown) {
        QTest::mouseClick(grid_.viewport(), Qt::LeftButton, {}, Center(row, 1));
        auto* combo = qobject_cast<QComboBox*>(grid_.CellEditorWidget(row, 1));
        ASSERT_NE(combo, nullptr);
        EXPECT_EQ(combo->currentText(), shown);
        QAbstractItemView* list = combo->view();
        ASSERT_TRUE(list->isVisible());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(list->model()->index(at, 0)).center());
    }

    Grid grid_;
};

}  // namespace

TEST_F(GridTest, EditsReportOnlyRealChangesMadeByTheUser) {
    grid_.SetCell(2, 0, {.text = "old"});
    QSignalSpy changed(&grid_, &Grid::cellChanged);
    grid_.SetText(2, 0, "set by the program");

    grid_.SetCurrentCell(2, 0);
    QTest::keyClick(&grid_, 'n');  // any key starts the edit with itself
    auto* line = qobject_cast<QLineEdit*>(grid_.CellEditorWidget(2, 0));
    ASSERT_NE(line, nullptr);
    QTest::keyClicks(line, "ew");
    QTest::keyClick(line, Qt::Key_Return);
    EXPECT_TRUE(EditorCloses(2, 0));
    EXPECT_EQ(grid_.Text(2, 0), "new");

    // A list takes the choice at once; the same choice again changes nothing.
    Choose(1, 2, "One");
    EXPECT_EQ(grid_.Text(1, 1), "Three");
    EXPECT_TRUE(EditorCloses(1, 1));
    Choose(1, 2, "Three");
    EXPECT_EQ(changed, (Signals{{2, 0}, {1, 1}}));
}

TEST_F(GridTest, AButtonRunsOnlyWhenPressedAndReleasedOnIt) {
    grid_.SetCell(2, 1, {.text = "Run", .kind = CellKind::Button});
    QSignalSpy clicked(&grid_, &Grid::buttonClicked);
    struct Case {
        const char* what;
        QPoint press;
        QPoint release;
        QList<QVariant> cell;  // empty: no click
    };
    const Case cases[] = {
        {"ellipsis of row 1", EllipsisOf(1), EllipsisOf(1), {1, 0}},
        {"whole button cell", Center(2, 1), Center(2, 1), {2, 1}},
        {"text beside the ellipsis", Center(1, 0), Center(1, 0), {}},
        {"released on another row's ellipsis", EllipsisOf(0), EllipsisOf(1), {}},
        {"released off the button", EllipsisOf(0), Center(0, 0), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        clicked.clear();
        QTest::mousePress(grid_.viewport(), Qt::LeftButton, {}, c.press);
        QTest::mouseRelease(grid_.viewport(), Qt::LeftButton, {}, c.release);
        EXPECT_EQ(clicked, c.cell.isEmpty() ? Signals{} : Signals{c.cell});
    }
}

TEST_F(GridTest, ACustomEditorKeepsItsKeysAndFollowsItsCellAcrossRowChanges) {
    auto column_editor = std::make_shared<LinesEditor>();
    auto cell_editor = std::make_shared<LinesEditor>();
    grid_.SetColumnCount(3);
    grid_.SetColumnEditor(2, column_editor);
    grid_.SetCell(2, 2, {.text = "own", .editor = cell_editor});
    grid_.SetCell(1, 2, {.text = "a"});

    ASSERT_TRUE(grid_.EditCell(1, 2));
    auto* edit = qobject_cast<QPlainTextEdit*>(grid_.CellEditorWidget(1, 2));
    ASSERT_NE(edit, nullptr);
    edit->moveCursor(QTextCursor::End);
    QTest::keyClick(edit, Qt::Key_Return);  // a new line, not the end of the edit
    QTest::keyClicks(edit, "b");
    ASSERT_EQ(grid_.CellEditorWidget(1, 2), edit);
    QTest::keyClick(edit, Qt::Key_Tab);
    EXPECT_TRUE(QTest::qWaitFor([&] { return grid_.Text(1, 2) == "a\nb"; }));
    EXPECT_EQ(column_editor->created, 1);

    // Removing a row above moves the cell's own editor up with its row.
    grid_.RemoveRow(0);
    ASSERT_TRUE(grid_.EditCell(1, 2));
    EXPECT_EQ(cell_editor->created, 1);
    EXPECT_EQ(qobject_cast<QPlainTextEdit*>(grid_.CellEditorWidget(1, 2))->toPlainText(), "own");
}

TEST_F(GridTest, ReadOnlyButtonAndOutsideCellsOpenNoEditorAndIgnoreChanges) {
    grid_.SetCell(1, 1, {.text = "Run", .kind = CellKind::Button});
    EXPECT_FALSE(grid_.EditCell(0, 0));  // read-only
    QTest::mouseDClick(grid_.viewport(), Qt::LeftButton, {}, Center(1, 1));
    EXPECT_EQ(grid_.CellEditorWidget(1, 1), nullptr);
    for (const auto& [row, column] : {std::pair{-1, 0}, std::pair{3, 0}, std::pair{0, 2}}) {
        SCOPED_TRACE(row * 10 + column);
        grid_.SetText(row, column, "lost");
        grid_.SetCell(row, column, {.text = "lost"});
        EXPECT_EQ(grid_.Text(row, column), "");
        EXPECT_FALSE(grid_.EditCell(row, column));
    }
    grid_.RemoveRow(3);
    grid_.InsertRow(5);
    EXPECT_EQ(grid_.RowCount(), 3);
    grid_.SetRowCount(-4);
    EXPECT_EQ(grid_.RowCount(), 0);
    EXPECT_EQ(grid_.FirstVisibleRow(), -1);
}

TEST_F(GridTest, LayoutSelectionAndScrollingAreKeptAndReported) {
    grid_.SetColumnWeights({7, 3});
    grid_.resize(500, 300);
    const int width = grid_.viewport()->width();
    EXPECT_EQ(grid_.columnWidth(0), width * 7 / 10);
    EXPECT_EQ(grid_.columnWidth(0) + grid_.columnWidth(1), width);

    grid_.setSelectionBehavior(QAbstractItemView::SelectRows);
    QSignalSpy current(&grid_, &Grid::currentCellChanged);
    grid_.SelectRow(2);
    EXPECT_EQ(grid_.CurrentRow(), 2);
    EXPECT_EQ(grid_.SelectedRows(), std::vector<int>{2});
    grid_.SetCurrentCell(7, 0);
    EXPECT_EQ(grid_.CurrentRow(), -1);
    EXPECT_EQ(current.last()[0], -1);

    // Rows may be lower than the style's least height; rows just added can
    // be scrolled to at once.
    grid_.SetDefaultRowHeight(6);
    grid_.SetRowCount(200);
    EXPECT_EQ(grid_.RowHeight(199), 6);
    grid_.SetFirstVisibleRow(20);
    EXPECT_EQ(grid_.FirstVisibleRow(), 20);
}

}  // namespace tarsil::toolkit
