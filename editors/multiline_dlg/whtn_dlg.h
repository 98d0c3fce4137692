// The multi-line text editor ("Tarsil Multiline Editor"): the rows of the
// current MultiText collection in a grid, one text or attribute per row,
// each edited in place by the visual edit control, which shows Hebrew in
// visual order while it is typed in logical order.  The toolbar sets the
// input language, the rows' direction and alignment, their spacing,
// justification, style, height and angle, and picks insertion points.
//
// Every change goes to the collection's rows at once, and so to the
// drawing; OK keeps them, Cancel gives them all up.  In attribute mode the
// rows are the attributes of one block reference and a grey column shows
// their tags.
#pragma once

#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "editors/language/keyboard_layouts.h"

class QComboBox;
class QLabel;
class QPushButton;
class QToolButton;

namespace tarsil {
class CUGMultiEdit;
class MultiText;
class OperationText;
}  // namespace tarsil

namespace tarsil::toolkit {
class CIdleRefresh;
class CImageCheckButton;
class CNumSpinCtrl;
class CPaneStatusBar;
class CValueEdit;
class Grid;
}  // namespace tarsil::toolkit

namespace tarsil::editors {

class CWhtnDlg : public QDialog {
    Q_OBJECT

  public:
    // Works on MultiText::Current(), which the command made first.
    CWhtnDlg(QWidget* parent, bool attributeMode);
    ~CWhtnDlg() override;

    bool HebrewFlag() const { return hebrew_; }
    bool LeftToRightFlag() const { return leftToRight_; }
    int Alignment() const { return alignment_; }
    toolkit::Grid* GridControl() const { return grid_; }
    toolkit::CPaneStatusBar* StatusBar() const { return status_; }
    // The visual edit control of the focus cell while it is edited, else null.
    CUGMultiEdit* EditingControl() const;
    // Performs a requested refresh of the buttons and status bar now, as
    // the next idle tick would.
    void RunIdle();
    // The grid row height: |font height| * 8 / 5 + 4.
    static int RowHeightFor(int fontHeight);

  public slots:
    void accept() override;
    void reject() override;

  protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    // Construction (whtn_dlg.cpp).
    void CreateControls();
    void BuildLayout();
    void FillLists();
    void SetUpSpins();
    void FillGrid();
    void InitialiseView();
    int FontHeight() const;

    // Buttons, notices and the status (whtn_dlg_actions.cpp).
    void OnLanguageButton(bool hebrewButton);
    void LanguageAction();
    void OnDirectionButton(bool leftToRightButton);
    void DirectionAction();
    void OnAlignmentButton(int alignment);
    void OnVerticalAlignment();
    void OnDistanceEdited(double distance);
    void OnInputLanguageNotice(long long language);
    void OnDirectionNotice(long long direction);
    void OnInsertionPoint();
    void RefreshStatus();
    void RequestStatus();
    // Hides the dialog from the user while the host's command line asks
    // for points, and shows it again.
    void BeginEditorCommand();
    void CompleteEditorCommand();

    // The rows (whtn_dlg_rows.cpp).
    OperationText* Row(int index) const;
    std::vector<OperationText*> SelectedRows() const;
    void SetCellFormat(int row);
    void MarkSelectedRows();
    void OnSelectionChanged();
    void ShowField(toolkit::CNumSpinCtrl* spin, bool height);
    void OnJustification(int index);
    void OnStyle(int index);
    void ApplyHeight(double height);
    void ApplyAngle(double degrees);
    void ShowFocusValue(bool height);
    void OnEditCommitted(int row, int column);
    void AddRowBelow();
    void SetUpEdit(CUGMultiEdit* edit, int row);
    void DeleteEmptyRows();

    MultiText* rows_;
    bool attributeMode_;
    bool hebrew_ = false;
    bool leftToRight_ = true;
    int alignment_ = 3;
    // Set while the dialog's own work causes notifications: handlers return.
    bool busy_ = false;
    bool inDirectionNotice_ = false;
    bool initialised_ = false;
    LayoutId rememberedLayout_;

    QComboBox* justification_ = nullptr;
    QComboBox* style_ = nullptr;
    toolkit::CValueEdit* size_ = nullptr;
    toolkit::CNumSpinCtrl* sizeSpin_ = nullptr;
    toolkit::CValueEdit* angle_ = nullptr;
    toolkit::CNumSpinCtrl* angleSpin_ = nullptr;
    toolkit::CValueEdit* distance_ = nullptr;
    toolkit::CNumSpinCtrl* distanceSpin_ = nullptr;
    toolkit::CImageCheckButton* hebrewButton_ = nullptr;
    toolkit::CImageCheckButton* englishButton_ = nullptr;
    toolkit::CImageCheckButton* leftToRightButton_ = nullptr;
    toolkit::CImageCheckButton* rightToLeftButton_ = nullptr;
    toolkit::CImageCheckButton* alignmentButtons_[4] = {};
    toolkit::CImageCheckButton* verticalAlignment_ = nullptr;
    toolkit::Grid* grid_ = nullptr;
    QToolButton* insertionPoint_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QLabel* labels_[6] = {};
    toolkit::CPaneStatusBar* status_ = nullptr;
    toolkit::CIdleRefresh* idle_ = nullptr;
};

}  // namespace tarsil::editors

namespace tarsil {
using editors::CWhtnDlg;
}
