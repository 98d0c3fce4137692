#include "toolkit/grid/grid.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <map>
#include <numeric>

namespace tarsil::toolkit {

namespace {

const GridCell& EmptyCell() {
    static const GridCell cell;
    return cell;
}

QRect EllipsisRect(const QRect& cell) {
    const int width = std::min(Grid::kEllipsisWidth, cell.width());
    return QRect(cell.right() - width + 1, cell.top(), width, cell.height());
}

QRect TextRect(const GridCell& cell, const QRect& rect) {
    return cell.ellipsis ? rect.adjusted(0, 0, -Grid::kEllipsisWidth, 0) : rect;
}

}  // namespace

// The cells, row by row.  Changes made through setData come from in-place
// editors, so they are the ones the grid reports.
class Grid::Model : public QAbstractTableModel {
  public:
    explicit Model(Grid* grid) : QAbstractTableModel(grid), grid_(grid) {}

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(rows_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : columns_;
    }

    bool Contains(int row, int column) const {
        return row >= 0 && row < rowCount() && column >= 0 && column < columns_;
    }
    const GridCell& Cell(int row, int column) const {
        return Contains(row, column) ? rows_[row][column] : EmptyCell();
    }
    const GridCell& Cell(const QModelIndex& index) const {
        return Cell(index.row(), index.column());
    }

    void SetCell(int row, int column, const GridCell& cell) {
        if (!Contains(row, column)) return;
        rows_[row][column] = cell;
        emit dataChanged(index(row, column), index(row, column));
    }
    void SetText(int row, int column, const QString& text) {
        if (!Contains(row, column)) return;
        rows_[row][column].text = text;
        emit dataChanged(index(row, column), index(row, column));
    }

    void SetRowCount(int rows) {
        rows = std::max(rows, 0);
        const int now = rowCount();
        if (rows > now) {
            beginInsertRows({}, now, rows - 1);
            rows_.resize(rows, std::vector<GridCell>(columns_));
            endInsertRows();
        } else if (rows < now) {
            beginRemoveRows({}, rows, now - 1);
            rows_.resize(rows);
            endRemoveRows();
        }
    }
    void SetColumnCount(int columns) {
        columns = std::max(columns, 0);
        const bool growing = columns > columns_;
        if (columns == columns_) return;
        if (growing) {
            beginInsertColumns({}, columns_, columns - 1);
        } else {
            beginRemoveColumns({}, columns, columns_ - 1);
        }
        columns_ = columns;
        for (auto& row : rows_) row.resize(columns);
        column_editors_.resize(columns);
        growing ? endInsertColumns() : endRemoveColumns();
    }
    void InsertRow(int row) {
        if (row < 0 || row > rowCount()) return;
        beginInsertRows({}, row, row);
        rows_.insert(rows_.begin() + row, std::vector<GridCell>(columns_));
        endInsertRows();
    }
    void RemoveRow(int row) {
        if (row < 0 || row >= rowCount()) return;
        beginRemoveRows({}, row, row);
        rows_.erase(rows_.begin() + row);
        endRemoveRows();
    }

    void SetTitles(Qt::Orientation orientation, const QStringList& titles) {
        (orientation == Qt::Horizontal ? column_titles_ : row_titles_) = titles;
        const int last = (orientation == Qt::Horizontal ? columns_ : rowCount()) - 1;
        if (last >= 0) emit headerDataChanged(orientation, 0, last);
    }

    std::shared_ptr<CellEditor> EditorOf(int row, int column) const {
        const GridCell& cell = Cell(row, column);
        if (cell.editor) return cell.editor;
        return column >= 0 && column < static_cast<int>(column_editors_.size())
                   ? column_editors_[column]
                   : nullptr;
    }
    void SetColumnEditor(int column, std::shared_ptr<CellEditor> editor) {
        if (column < 0 || column >= columns_) return;
        column_editors_[column] = std::move(editor);
    }

    QVariant data(const QModelIndex& index, int role) const override {
        const GridCell& cell = Cell(index);
        switch (role) {
            case Qt::DisplayRole:
            case Qt::EditRole:
                return cell.text;
            case Qt::TextAlignmentRole:
                return QVariant::fromValue(cell.alignment);
            case Qt::BackgroundRole:
                return cell.background.isValid() ? QVariant(cell.background) : QVariant();
            default:
                return {};
        }
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override {
        if (role != Qt::EditRole || !Contains(index.row(), index.column())) return false;
        const QString text = value.toString();
        GridCell& cell = rows_[index.row()][index.column()];
        if (cell.text == text) return true;
        cell.text = text;
        emit dataChanged(index, index);
        emit grid_->cellChanged(index.row(), index.column());
        return true;
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        const GridCell& cell = Cell(index);
        if (cell.editable && cell.kind != CellKind::Button) flags |= Qt::ItemIsEditable;
        return flags;
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (role != Qt::DisplayRole)
            return QAbstractTableModel::headerData(section, orientation, role);
        const QStringList& titles = orientation == Qt::Horizontal ? column_titles_ : row_titles_;
        return section < titles.size() ? titles[section] : QString();
    }

  private:
    Grid* grid_;
    std::vector<std::vector<GridCell>> rows_;
    int columns_ = 0;
    std::vector<std::shared_ptr<CellEditor>> column_editors_;
    QStringList column_titles_;
    QStringList row_titles_;
};

// Paints the kinds of cell and opens their in-place editors.  A button is
// pressed by a mouse press and runs on the release over the same button.
class Grid::Delegate : public QStyledItemDelegate {
  public:
    Delegate(Grid* grid, Model* model) : QStyledItemDelegate(grid), grid_(grid), model_(model) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override {
        const GridCell& cell = model_->Cell(index);
        if (!cell.editable || cell.kind == CellKind::Button) return nullptr;
        if (cell.kind == CellKind::List) {
            auto* combo = new QComboBox(parent);
            combo->addItems(cell.options);
            // Choosing an entry is the whole edit: it is taken at once.
            connect(combo, &QComboBox::activated, this, [this, combo] {
                auto* self = const_cast<Delegate*>(this);
                emit self->commitData(combo);
                emit self->closeEditor(combo);
            });
            return combo;
        }
        if (auto custom = model_->EditorOf(index.row(), index.column())) {
            QWidget* editor = custom->Create(parent, index.row(), index.column());
            if (editor == nullptr) return nullptr;
            custom_[editor] = custom;
            connect(editor, &QObject::destroyed, this, [this, editor] { custom_.erase(editor); });
            return editor;
        }
        auto* line = new QLineEdit(parent);
        line->setFrame(false);
        line->setAlignment(cell.alignment);
        return line;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        const QString text = model_->Cell(index).text;
        if (auto custom = CustomOf(editor)) {
            custom->SetText(editor, text);
        } else if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            combo->setCurrentIndex(combo->findText(text, Qt::MatchFixedString));
        } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            line->setText(text);
        }
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        if (auto custom = CustomOf(editor)) {
            model->setData(index, custom->Text(editor));
        } else if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            if (combo->currentIndex() >= 0) model->setData(index, combo->currentText());
        } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            model->setData(index, line->text());
        }
        emit grid_->editCommitted(index.row(), index.column());
    }

    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override {
        editor->setGeometry(TextRect(model_->Cell(index), option.rect));
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const GridCell& cell = model_->Cell(index);
        QStyle* style = option.widget != nullptr ? option.widget->style() : QApplication::style();
        if (cell.kind == CellKind::Button) {
            PaintButton(painter, style, option.rect.adjusted(1, 1, -1, -1), cell.text, index,
                        false);
            return;
        }
        QStyleOptionViewItem text_option(option);
        text_option.rect = TextRect(cell, option.rect);
        if (cell.kind == CellKind::List) {
            // The drop-down arrow tells a list from plain text.
            const int arrow = std::min(text_option.rect.height(), 14);
            text_option.rect.adjust(0, 0, -arrow, 0);
            QStyledItemDelegate::paint(painter, text_option, index);
            QStyleOption arrow_option;
            arrow_option.initFrom(grid_);
            arrow_option.rect = QRect(text_option.rect.right() + 1,
                                      option.rect.center().y() - arrow / 2, arrow, arrow);
            style->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow_option, painter, grid_);
        } else if (const auto custom = model_->EditorOf(index.row(), index.column());
                   custom && custom->PaintsText()) {
            PaintCustomText(*custom, painter, option, text_option.rect, index);
        } else {
            QStyledItemDelegate::paint(painter, text_option, index);
        }
        if (cell.ellipsis) {
            PaintButton(painter, style, EllipsisRect(option.rect), QStringLiteral("..."), index,
                        true);
        }
    }

    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override {
        if (event->type() != QEvent::MouseButtonPress &&
            event->type() != QEvent::MouseButtonRelease &&
            event->type() != QEvent::MouseButtonDblClick) {
            return QStyledItemDelegate::editorEvent(event, model, option, index);
        }
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const bool on_button = ButtonRect(index, option.rect).contains(mouse->position().toPoint());
        if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton &&
            on_button) {
            pressed_ = index;
            grid_->viewport()->update(option.rect);
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease && pressed_.isValid()) {
            const QPersistentModelIndex was = pressed_;
            pressed_ = QPersistentModelIndex();
            grid_->viewport()->update();
            if (was == index && on_button) emit grid_->buttonClicked(index.row(), index.column());
            return true;
        }
        // A double click on a button is two presses, not an edit.
        if (on_button) return true;
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    }

    // An editor of the caller's own may keep keys for itself; the keys it
    // leaves end the edit the same way whatever kind of widget it is.
    bool eventFilter(QObject* object, QEvent* event) override {
        auto* editor = qobject_cast<QWidget*>(object);
        const auto custom = CustomOf(editor);
        if (event->type() != QEvent::KeyPress || !custom) {
            return QStyledItemDelegate::eventFilter(object, event);
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        if (custom->WantsKey(*key)) return false;
        EndEditHint hint;
        switch (key->key()) {
            case Qt::Key_Tab:
                hint = EditNextItem;
                break;
            case Qt::Key_Backtab:
                hint = EditPreviousItem;
                break;
            case Qt::Key_Return:
            case Qt::Key_Enter:
                hint = SubmitModelCache;
                break;
            default:
                return QStyledItemDelegate::eventFilter(object, event);
        }
        emit commitData(editor);
        emit closeEditor(editor, hint);
        return true;
    }

    bool IsPressed(const QModelIndex& index) const {
        return pressed_.isValid() && pressed_ == index;
    }

  private:
    // The cell's background and selection as Qt draws them, then its text
    // by the editor's own painting, when the editor has one.
    void PaintCustomText(const CellEditor& custom, QPainter* painter,
                         const QStyleOptionViewItem& option, const QRect& text_rect,
                         const QModelIndex& index) const {
        QStyleOptionViewItem item(option);
        initStyleOption(&item, index);
        item.text.clear();
        QStyle* style = option.widget != nullptr ? option.widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &item, painter, option.widget);
        painter->save();
        painter->setPen(item.palette.color(
            option.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
        custom.PaintText(painter, text_rect, model_->Cell(index));
        painter->restore();
    }

    std::shared_ptr<CellEditor> CustomOf(const QWidget* editor) const {
        const auto found = custom_.find(editor);
        return found == custom_.end() ? nullptr : found->second;
    }

    // The area of a cell that acts as a button, empty when it has none.
    QRect ButtonRect(const QModelIndex& index, const QRect& rect) const {
        const GridCell& cell = model_->Cell(index);
        if (cell.kind == CellKind::Button) return rect;
        if (cell.ellipsis) return EllipsisRect(rect);
        return {};
    }

    void PaintButton(QPainter* painter, QStyle* style, const QRect& rect, const QString& text,
                     const QModelIndex& index, bool small) const {
        QStyleOptionButton button;
        button.initFrom(grid_);
        button.rect = rect;
        button.text = text;
        button.state |= IsPressed(index) ? QStyle::State_Sunken : QStyle::State_Raised;
        if (small) {
            // Style margins would leave no room for the label in 16 pixels.
            style->drawControl(QStyle::CE_PushButtonBevel, &button, painter, grid_);
            painter->save();
            painter->setPen(grid_->palette().color(QPalette::ButtonText));
            painter->drawText(rect, Qt::AlignCenter, text);
            painter->restore();
        } else {
            style->drawControl(QStyle::CE_PushButton, &button, painter, grid_);
        }
    }

    Grid* grid_;
    Model* model_;
    QPersistentModelIndex pressed_;
    mutable std::map<const QWidget*, std::shared_ptr<CellEditor>> custom_;
};

Grid::Grid(QWidget* parent)
    : QTableView(parent), model_(new Model(this)), delegate_(new Delegate(this, model_)) {
    setModel(model_);
    setItemDelegate(delegate_);
    setVerticalScrollMode(ScrollPerItem);
    setEditTriggers(DoubleClicked | SelectedClicked | EditKeyPressed | AnyKeyPressed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setVisible(false);
    horizontalHeader()->setHighlightSections(false);
    // A list opens with one click: the choice is the edit.
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        const GridCell& cell = model_->Cell(index);
        if (cell.kind != CellKind::List || !cell.editable) return;
        EditCell(index.row(), index.column());
        if (auto* combo = qobject_cast<QComboBox*>(CellEditorWidget(index.row(), index.column())))
            combo->showPopup();
    });
}

Grid::~Grid() = default;

void Grid::SetRowCount(int rows) {
    model_->SetRowCount(rows);
}

void Grid::SetColumnCount(int columns) {
    model_->SetColumnCount(columns);
    ApplyColumnWeights();
}

int Grid::RowCount() const {
    return model_->rowCount();
}

int Grid::ColumnCount() const {
    return model_->columnCount();
}

void Grid::InsertRow(int row) {
    model_->InsertRow(row);
}

void Grid::RemoveRow(int row) {
    model_->RemoveRow(row);
}

void Grid::SetCell(int row, int column, const GridCell& cell) {
    model_->SetCell(row, column, cell);
}

const GridCell& Grid::Cell(int row, int column) const {
    return model_->Cell(row, column);
}

void Grid::SetText(int row, int column, const QString& text) {
    model_->SetText(row, column, text);
}

QString Grid::Text(int row, int column) const {
    return model_->Cell(row, column).text;
}

void Grid::SetColumnTitles(const QStringList& titles) {
    model_->SetTitles(Qt::Horizontal, titles);
}

void Grid::SetRowTitles(const QStringList& titles) {
    model_->SetTitles(Qt::Vertical, titles);
    verticalHeader()->setVisible(!titles.isEmpty());
}

void Grid::SetDefaultRowHeight(int height) {
    verticalHeader()->setMinimumSectionSize(
        std::min(height, verticalHeader()->minimumSectionSize()));
    verticalHeader()->setDefaultSectionSize(height);
}

void Grid::SetRowHeight(int row, int height) {
    if (row < 0 || row >= RowCount()) return;
    verticalHeader()->setMinimumSectionSize(
        std::min(height, verticalHeader()->minimumSectionSize()));
    verticalHeader()->resizeSection(row, height);
}

int Grid::RowHeight(int row) const {
    return rowHeight(row);
}

void Grid::SetColumnWeights(std::vector<int> weights) {
    weights_ = std::move(weights);
    ApplyColumnWeights();
}

void Grid::SetColumnEditor(int column, std::shared_ptr<CellEditor> editor) {
    model_->SetColumnEditor(column, std::move(editor));
}

void Grid::ApplyColumnWeights() {
    const int columns = std::min<int>(ColumnCount(), static_cast<int>(weights_.size()));
    const int total = std::accumulate(weights_.begin(), weights_.begin() + columns, 0);
    if (columns == 0 || total <= 0) return;
    const int width = viewport()->width();
    int used = 0;
    for (int column = 0; column < columns; ++column) {
        // The last weighted column takes what rounding left over.
        const int share = column + 1 == columns ? width - used : width * weights_[column] / total;
        setColumnWidth(column, std::max(share, 0));
        used += share;
    }
}

void Grid::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    ApplyColumnWeights();
}

int Grid::CurrentRow() const {
    return currentIndex().isValid() ? currentIndex().row() : -1;
}

int Grid::CurrentColumn() const {
    return currentIndex().isValid() ? currentIndex().column() : -1;
}

void Grid::SetCurrentCell(int row, int column) {
    if (!model_->Contains(row, column)) {
        setCurrentIndex({});
        return;
    }
    setCurrentIndex(model_->index(row, column));
}

void Grid::SelectRow(int row) {
    if (row < 0 || row >= RowCount()) return;
    const int column = std::max(CurrentColumn(), 0);
    selectionModel()->setCurrentIndex(
        model_->index(row, column),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

std::vector<int> Grid::SelectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows()) rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

int Grid::FirstVisibleRow() const {
    return RowCount() == 0 ? -1 : rowAt(0);
}

void Grid::SetFirstVisibleRow(int row) {
    updateGeometries();  // the scroll range follows the rows only when laid out
    verticalScrollBar()->setValue(std::clamp(row, 0, std::max(RowCount() - 1, 0)));
}

bool Grid::EditCell(int row, int column) {
    if (!model_->Contains(row, column)) return false;
    if (!(model_->flags(model_->index(row, column)) & Qt::ItemIsEditable)) return false;
    const QModelIndex index = model_->index(row, column);
    if (CellEditorWidget(row, column) != nullptr) return true;
    setCurrentIndex(index);
    edit(index);
    return CellEditorWidget(row, column) != nullptr;
}

QWidget* Grid::CellEditorWidget(int row, int column) const {
    if (!model_->Contains(row, column)) return nullptr;
    return indexWidget(model_->index(row, column));
}

bool Grid::EndEdit(bool commit) {
    QWidget* editor = CellEditorWidget(CurrentRow(), CurrentColumn());
    if (editor == nullptr) return false;
    if (commit) commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
    return true;
}

void Grid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    emit currentCellChanged(current.isValid() ? current.row() : -1,
                            current.isValid() ? current.column() : -1);
}

void Grid::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
    QTableView::selectionChanged(selected, deselected);
    emit rowSelectionChanged();
}

}  // namespace tarsil::toolkit
