// The toolbar's buttons, the visual edit control's notices, and the idle
// refresh of the buttons and the status bar.
#include <QApplication>
#include <QComboBox>
#include <QToolButton>

#include "editors/language/input_language.h"
#include "editors/multiline_dlg/whtn_dlg.h"
#include "editors/multiline_dlg/whtn_dlg_ids.h"
#include "editors/visual_edit/input_language_port.h"
#include "editors/visual_edit/ug_multi_edit.h"
#include "host/entity_ops/multi_text.h"
#include "toolkit/grid/grid.h"
#include "toolkit/idle/idle_refresh.h"
#include "toolkit/image_button/image_check_button.h"
#include "toolkit/numspin/num_spin_ctrl.h"
#include "toolkit/status_bar/pane_status_bar.h"
#include "toolkit/updown/value_edit.h"

namespace tarsil::editors {

using namespace multiline;

void CWhtnDlg::RequestStatus() {
    idle_->Request();
}

// Exactly one button of each pair and of the alignment group pressed, and
// the status bar's panes, from the flags.
void CWhtnDlg::RefreshStatus() {
    hebrewButton_->SetPressed(hebrew_);
    englishButton_->SetPressed(!hebrew_);
    leftToRightButton_->SetPressed(leftToRight_);
    rightToLeftButton_->SetPressed(!leftToRight_);
    for (int i = 0; i < 4; ++i) alignmentButtons_[i]->SetPressed(alignment_ == i);
    status_->SetPaneText(0, QString::fromLatin1(hebrew_ ? kHebrewText : kEnglishText));
    status_->SetPaneText(1,
                         QString::fromLatin1(leftToRight_ ? kLeftToRightText : kRightToLeftText));
}

// A click on either button of a pair leaves that one pressed, even when it
// was pressed already: the pair says which of the two is in force.
void CWhtnDlg::OnLanguageButton(bool hebrewButton) {
    if (busy_) return;
    hebrewButton_->SetPressed(hebrewButton);
    englishButton_->SetPressed(!hebrewButton);
    hebrew_ = hebrewButton_->IsPressed();
    LanguageAction();
}

// The layout changes through the control being edited, which remembers it
// and shows it in its caret; without an edit the next one takes it up.
void CWhtnDlg::LanguageAction() {
    if (CUGMultiEdit* edit = EditingControl()) {
        const bool was = busy_;
        busy_ = true;
        edit->setFocus();
        edit->ActivateLayout(hebrew_ ? visual::kLangHebrew : visual::kLangEnglish);
        edit->RefreshCaret();
        edit->update();
        busy_ = was;
    }
    RequestStatus();
}

void CWhtnDlg::OnDirectionButton(bool leftToRightButton) {
    if (busy_) return;
    leftToRightButton_->SetPressed(leftToRightButton);
    rightToLeftButton_->SetPressed(!leftToRightButton);
    leftToRight_ = leftToRightButton_->IsPressed();
    DirectionAction();
}

void CWhtnDlg::DirectionAction() {
    const bool was = busy_;
    busy_ = true;
    InputLanguage::Instance().ActivateKeyboardLayout(leftToRight_ ? kEnglishLayout : kHebrewLayout);
    // Right to left is typed in Hebrew: the language follows the layout
    // (which stays as it was on a machine without the other one).
    hebrew_ = InputLanguage::Instance().HebrewActive();
    for (int i = 0; i < grid_->RowCount(); ++i) SetCellFormat(i);
    grid_->viewport()->update();
    if (CUGMultiEdit* edit = EditingControl()) {
        edit->SetDirection(grid_->Cell(grid_->CurrentRow(), 0).rightToLeft ? 2 : 1);
        edit->RefreshCaret();
        edit->update();
    }
    busy_ = was;
    RequestStatus();
}

void CWhtnDlg::OnAlignmentButton(int alignment) {
    if (busy_ || rows_ == nullptr) return;
    if (alignmentButtons_[alignment]->IsPressed()) {
        alignment_ = alignment;
        RefreshStatus();
        switch (alignment_) {
            case 0:
                rows_->AlignLeft();
                break;
            case 1:
                rows_->AlignCenter();
                break;
            case 2:
                rows_->AlignRight();
                break;
            default:
                rows_->RestoreHorizontal();
                break;
        }
    }
    if (CUGMultiEdit* edit = EditingControl()) edit->setFocus();
    RequestStatus();
}

// Pressed: the rows are spread evenly and the distance between them shown
// and made editable; released: the rows go back where they were.
void CWhtnDlg::OnVerticalAlignment() {
    if (busy_ || rows_ == nullptr) return;
    if (verticalAlignment_->IsPressed()) {
        const double distance = rows_->EqualizeLineDistance();
        distance_->setText(QString::asprintf("%.4f", distance));
        distanceSpin_->SetEnabledWithBuddy(true);
        if (distance != 0.0) rows_->SetRowStep(distance + sizeSpin_->Pos().value_or(0.0));
    } else {
        rows_->RestoreVertical();
        distanceSpin_->SetEnabledWithBuddy(false);
    }
    RequestStatus();
}

void CWhtnDlg::OnDistanceEdited(double distance) {
    if (busy_ || rows_ == nullptr || !verticalAlignment_->IsPressed()) return;
    rows_->SetLineDistance(distance);
    rows_->SetRowStep(distance + sizeSpin_->Pos().value_or(0.0));
    RequestStatus();
}

void CWhtnDlg::OnInputLanguageNotice(long long language) {
    if (busy_) return;
    hebrew_ = language == visual::kLangHebrew;
    hebrewButton_->SetPressed(hebrew_);
    englishButton_->SetPressed(!hebrew_);
    LanguageAction();
}

void CWhtnDlg::OnDirectionNotice(long long direction) {
    if (busy_ || inDirectionNotice_) return;
    inDirectionNotice_ = true;
    leftToRight_ = direction != 2;
    leftToRightButton_->SetPressed(leftToRight_);
    rightToLeftButton_->SetPressed(!leftToRight_);
    DirectionAction();
    inDirectionNotice_ = false;
}

void CWhtnDlg::OnInsertionPoint() {
    if (busy_ || rows_ == nullptr) return;
    BeginEditorCommand();
    for (OperationText* row : SelectedRows()) row->PickInsertionPoint();
    CompleteEditorCommand();
    RequestStatus();
}

// A modal dialog that is hidden ends its loop, so while the command line
// asks for points the dialog is only made invisible and deaf.
void CWhtnDlg::BeginEditorCommand() {
    setWindowOpacity(0.0);
    setEnabled(false);
}

void CWhtnDlg::CompleteEditorCommand() {
    setEnabled(true);
    setWindowOpacity(1.0);
    activateWindow();
}

}  // namespace tarsil::editors
