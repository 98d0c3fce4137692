#pragma once

// Our grid: a table of cells on Qt's model/view, for dialogs that list
// records one per row (the font map, the rows of a multi-line text).
//
// Each cell has a kind: plain text, a drop-down list of fixed choices, or
// a push button; a text cell may carry a small "..." button at its right
// end.  Cells are edited in place by the grid's delegate: a line edit for
// text, a non-editable combo box for lists, or an editor widget of the
// caller's own (CellEditor) set per column or per cell.
//
// Notifications tell user actions apart from the program's own changes:
// cellChanged fires only when an in-place edit commits a text that differs
// from the cell's; SetText and SetCell never signal.
#include <QColor>
#include <QTableView>
#include <QVariant>
#include <memory>
#include <vector>

class QKeyEvent;
class QPainter;

namespace tarsil::toolkit {

// An editor widget of the caller's own for one cell, e.g. a visual edit
// control.  The grid creates it when editing starts, hands it the cell's
// text, and reads the text back when the edit is committed (Enter, Tab,
// leaving the cell); Escape drops the edit.
struct GridCell;

class CellEditor {
  public:
    virtual ~CellEditor() = default;
    virtual QWidget* Create(QWidget* parent, int row, int column) = 0;
    virtual void SetText(QWidget* editor, const QString& text) = 0;
    virtual QString Text(const QWidget* editor) const = 0;
    // True for keys the editor keeps for itself (say, Enter for a new
    // line) instead of letting the grid commit or cancel the edit.
    virtual bool WantsKey(const QKeyEvent&) const { return false; }
    // True when the editor draws the text of its cells itself (text that
    // Qt's own layout must not reorder, say visual-order Hebrew); PaintText
    // then draws it over the background and selection the grid has drawn,
    // with the pen set to the text colour.
    virtual bool PaintsText() const { return false; }
    virtual void PaintText(QPainter*, const QRect&, const GridCell&) const {}
};

enum class CellKind {
    Text,    // shown as text; edited in a line edit or the cell's CellEditor
    List,    // one of options, chosen from a drop-down list
    Button,  // a push button labelled with the text; never edited
};

struct GridCell {
    QString text{};
    CellKind kind = CellKind::Text;
    QStringList options{};  // the choices of a List cell, in order
    bool editable = true;   // false: no in-place editor opens
    bool ellipsis = false;  // a "..." button at the right end of the cell
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool rightToLeft = false;  // the text reads right to left (for a CellEditor's Paint)
    QColor background{};       // invalid: the grid's own
    QVariant data{};           // the owner's own value, not shown
    std::shared_ptr<CellEditor> editor{};  // overrides the column's editor
};

class Grid : public QTableView {
    Q_OBJECT
  public:
    // The width of a cell's "..." button.
    static constexpr int kEllipsisWidth = 16;

    explicit Grid(QWidget* parent = nullptr);
    ~Grid() override;

    // Size and content.  Growing adds empty text cells; shrinking drops
    // the last rows or columns.  Out-of-range cells read as empty cells
    // and ignore changes.
    void SetRowCount(int rows);
    void SetColumnCount(int columns);
    int RowCount() const;
    int ColumnCount() const;
    void InsertRow(int row);  // an empty row before row (at the end when row == RowCount())
    void RemoveRow(int row);
    void SetCell(int row, int column, const GridCell& cell);
    const GridCell& Cell(int row, int column) const;
    void SetText(int row, int column, const QString& text);
    QString Text(int row, int column) const;

    // Headers: titles of the fixed row above the cells and of the column
    // at their left (hidden until titles are given).
    void SetColumnTitles(const QStringList& titles);
    void SetRowTitles(const QStringList& titles);

    // Every row is default_height pixels high unless set on its own.
    void SetDefaultRowHeight(int height);
    void SetRowHeight(int row, int height);
    int RowHeight(int row) const;
    // Shares the viewport's width among the columns in proportion to
    // weights, now and whenever the grid is resized; empty turns it off.
    void SetColumnWeights(std::vector<int> weights);
    void SetColumnEditor(int column, std::shared_ptr<CellEditor> editor);

    // The focus cell (-1 when there is none), the selection and scrolling.
    int CurrentRow() const;
    int CurrentColumn() const;
    void SetCurrentCell(int row, int column);
    void SelectRow(int row);  // also makes it the focus row
    std::vector<int> SelectedRows() const;
    int FirstVisibleRow() const;
    void SetFirstVisibleRow(int row);

    // Opens the in-place editor of a cell (false when it has none) and
    // the open editor widget of a cell (null when none is open).
    bool EditCell(int row, int column);
    QWidget* CellEditorWidget(int row, int column) const;
    // Ends the open in-place edit of the focus cell: commit takes its text
    // as Enter does, otherwise it is dropped as with Escape.  False when no
    // edit is open.
    bool EndEdit(bool commit);

  signals:
    void cellChanged(int row, int column);
    // Every commit of an in-place edit, changed or not (after cellChanged).
    void editCommitted(int row, int column);
    void buttonClicked(int row, int column);  // a Button cell or a "..." button
    void currentCellChanged(int row, int column);
    // The set of selected rows changed (by the user or by SelectRow).
    void rowSelectionChanged();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;

  private:
    class Model;
    class Delegate;
    void ApplyColumnWeights();

    Model* model_;
    Delegate* delegate_;
    std::vector<int> weights_;
};

}  // namespace tarsil::toolkit
