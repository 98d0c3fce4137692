// The grid's rows and the collection behind them: selection, the fields of
// the selected rows, the end of a cell's edit, and rows added below.
#include <QComboBox>
#include <QTimer>
#include <cmath>
#include <numbers>

#include "editors/language/widget_edge.h"
#include "editors/multiline_dlg/row_state.h"
#include "editors/multiline_dlg/whtn_dlg.h"
#include "editors/visual_edit/input_language_port.h"
#include "editors/visual_edit/ug_multi_edit.h"
#include "host/entity_ops/multi_text.h"
#include "toolkit/grid/grid.h"
#include "toolkit/idle/idle_refresh.h"
#include "toolkit/numspin/num_spin_ctrl.h"
#include "toolkit/updown/value_edit.h"

namespace tarsil::editors {

using namespace multiline;

namespace {

constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

// Rows the drawing can do without: nothing in them but perhaps one blank.
bool IsBlank(const std::optional<std::wstring>& text) {
    return text.has_value() && (text->empty() || *text == L" ");
}

bool IsAttribute(AcDbObjectId id) {
    AcDbAttribute* attribute = nullptr;
    if (acdbOpenObject(attribute, id, AcDb::kForRead) != Acad::eOk) return false;
    attribute->close();
    return true;
}

}  // namespace

OperationText* CWhtnDlg::Row(int index) const {
    if (rows_ == nullptr || index < 0 || index >= rows_->RowCount()) return nullptr;
    return (*rows_)[index];
}

std::vector<OperationText*> CWhtnDlg::SelectedRows() const {
    std::vector<OperationText*> selected;
    if (rows_ == nullptr) return selected;
    for (int i = 0; i < rows_->RowCount(); ++i)
        if (OperationText* row = Row(i); row != nullptr && row->IsSelected())
            selected.push_back(row);
    return selected;
}

// Right to left and right-aligned while the rows read right to left.
void CWhtnDlg::SetCellFormat(int row) {
    toolkit::GridCell cell = grid_->Cell(row, 0);
    cell.rightToLeft = !leftToRight_;
    cell.alignment = (leftToRight_ ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter;
    grid_->SetCell(row, 0, cell);
}

void CWhtnDlg::SetUpEdit(CUGMultiEdit* edit, int row) {
    edit->SetOwner(this);
    const bool was = busy_;
    busy_ = true;
    edit->SetDirection(grid_->Cell(row, 0).rightToLeft ? 2 : 1);
    edit->ActivateLayout(hebrew_ ? visual::kLangHebrew : visual::kLangEnglish);
    busy_ = was;
    // The fields follow once the edit is open (they are disabled meanwhile)
    // and again when it is gone.
    QTimer::singleShot(0, this, [this] { OnSelectionChanged(); });
    connect(edit, &QObject::destroyed, this,
            [this] { QTimer::singleShot(0, this, [this] { OnSelectionChanged(); }); });
}

void CWhtnDlg::MarkSelectedRows() {
    if (rows_ == nullptr) return;
    const std::vector<int> selected = grid_->SelectedRows();
    for (int i = 0; i < rows_->RowCount(); ++i) {
        if (OperationText* row = Row(i))
            row->SetSelected(std::find(selected.begin(), selected.end(), i) != selected.end());
    }
}

void CWhtnDlg::OnSelectionChanged() {
    if (busy_ || rows_ == nullptr) return;
    MarkSelectedRows();
    const OperationText* focus = Row(grid_->CurrentRow());
    if (focus == nullptr) return;
    const bool was = busy_;
    busy_ = true;
    justification_->setCurrentIndex(focus->GetJustification());
    const int style = rows_->StyleIndex(focus->GetTextStyleName());
    if (style >= 0) style_->setCurrentIndex(style);
    ShowField(sizeSpin_, true);
    ShowField(angleSpin_, false);
    busy_ = was;
    RequestStatus();
}

void CWhtnDlg::ShowField(toolkit::CNumSpinCtrl* spin, bool height) {
    const auto valueOf = [height](const OperationText& row) {
        return height ? row.GetHeight() : row.GetRotation() * kDegreesPerRadian;
    };
    std::vector<RowValue> selected;
    for (const OperationText* row : SelectedRows())
        selected.push_back({valueOf(*row), row->IsAlignedOrFit()});
    const FieldAnswer answer = FieldOverRows(selected, valueOf(*Row(grid_->CurrentRow())));
    const bool editing = EditingControl() != nullptr;
    switch (answer.state) {
        case FieldState::kValue:
            spin->SetPos(answer.value);
            spin->SetEnabledWithBuddy(!editing);
            break;
        case FieldState::kDisabled:
            spin->SetPos(answer.value);
            spin->SetEnabledWithBuddy(false);
            break;
        case FieldState::kEmptyEnabled:
            spin->Clear();
            spin->SetEnabledWithBuddy(!editing);
            break;
        case FieldState::kEmptyDisabled:
            spin->Clear();
            spin->SetEnabledWithBuddy(false);
            break;
    }
}

void CWhtnDlg::ShowFocusValue(bool height) {
    if (busy_) return;
    const OperationText* focus = Row(grid_->CurrentRow());
    if (focus == nullptr) return;
    if (height)
        sizeSpin_->SetPos(focus->GetHeight());
    else
        angleSpin_->SetPos(focus->GetRotation() * kDegreesPerRadian);
}

void CWhtnDlg::OnJustification(int index) {
    if (busy_ || index < 0) return;
    const int row = grid_->CurrentRow(), column = grid_->CurrentColumn();
    BeginEditorCommand();
    for (OperationText* selected : SelectedRows()) selected->SetJustification(index);
    CompleteEditorCommand();
    grid_->SetCurrentCell(row, column);
    RequestStatus();
}

void CWhtnDlg::OnStyle(int index) {
    if (busy_ || index < 0) return;
    const std::wstring name = style_->itemText(index).toStdWString();
    for (OperationText* row : SelectedRows()) row->SetTextStyle(name);
    RequestStatus();
}

void CWhtnDlg::ApplyHeight(double height) {
    if (busy_) return;
    for (OperationText* row : SelectedRows()) row->SetHeight(height);
    RequestStatus();
}

void CWhtnDlg::ApplyAngle(double degrees) {
    if (busy_) return;
    for (OperationText* row : SelectedRows()) row->SetRotation(degrees);
    RequestStatus();
}

void CWhtnDlg::OnEditCommitted(int row, int column) {
    OperationText* target = Row(row);
    if (busy_ || column != 0 || target == nullptr) return;
    target->SetText(FromWidgetText(grid_->Text(row, 0)));
    RequestStatus();
    // Typing into the last, new row (or the only one) opens the next row
    // below: a block of plain texts grows as it is typed.  Attributes are
    // the block's own fields; none is added to them.
    if (attributeMode_ || result() != 0 || !isVisible()) return;
    if (!target->IsAdded() && grid_->RowCount() != 1) return;
    target->SetAdded(false);
    // After the grid has closed the editor that just committed.
    QTimer::singleShot(0, this, [this] { AddRowBelow(); });
}

void CWhtnDlg::AddRowBelow() {
    if (rows_ == nullptr || !isVisible() || !rows_->AddRowBelow()) return;
    const int index = rows_->RowCount() - 1;
    OperationText* added = Row(index);
    if (added == nullptr) return;
    const bool was = busy_;
    busy_ = true;
    grid_->SetRowCount(index + 1);
    grid_->SetRowHeight(index, RowHeightFor(FontHeight()));
    toolkit::GridCell text;
    text.text = ToWidgetText(added->GetText().value_or(std::wstring()));
    grid_->SetCell(index, 0, text);
    SetCellFormat(index);
    grid_->SetCurrentCell(index, 0);
    grid_->SelectRow(index);
    MarkSelectedRows();
    if (style_->currentIndex() >= 0) added->SetTextStyle(style_->currentText().toStdWString());
    added->SetHeight(sizeSpin_->Pos().value_or(0.0));
    added->SetRotation(angleSpin_->Pos().value_or(0.0));
    busy_ = was;
    OnSelectionChanged();
}

// A text left empty, or as one blank, is taken out of the drawing, OK or
// Cancel: a row added and never typed into leaves nothing behind.  An
// attribute stays: an empty value is a field of its block not filled in.
void CWhtnDlg::DeleteEmptyRows() {
    if (rows_ == nullptr) return;
    for (int i = 0; i < rows_->RowCount(); ++i) {
        OperationText* row = Row(i);
        if (row == nullptr || !IsBlank(row->GetText()) || IsAttribute(row->ObjectId())) continue;
        AcDbText* object = nullptr;
        if (acdbOpenObject(object, row->ObjectId(), AcDb::kForWrite) != Acad::eOk) continue;
        object->erase();
        object->close();
    }
}

}  // namespace tarsil::editors
