// "Dimension text editor": a dimension's text override in two Hebrew rich
// edits, the text above the dimension line and the text below it, the
// measured value shown as "§"; with the text's rotation and attachment.
// Every change is in the drawing at once; Cancel takes it all back.
#pragma once

#include <QDialog>
#include <memory>

#include "cadhost/db/acdb_all.h"

class QComboBox;
class QPushButton;

namespace tarsil {
class DimensionSession;
namespace toolkit {
class CUpDown;
class CValueEdit;
}  // namespace toolkit
namespace editors {
class CRichEditCtrlHeb;
}

namespace dim_dlg {
inline constexpr int kUpperId = 1096;
inline constexpr int kLowerId = 1097;
inline constexpr int kAngleId = 1094;
inline constexpr int kAngleSpinId = 1095;
inline constexpr int kAttachmentId = 1089;
inline constexpr int kOkId = 1;
inline constexpr int kCancelId = 2;
}  // namespace dim_dlg

class CDimensionTextEditDlg : public QDialog {
    Q_OBJECT

  public:
    explicit CDimensionTextEditDlg(QWidget* parent = nullptr);
    ~CDimensionTextEditDlg() override;

    void SetObject(AcDbObjectId dimension) { id_ = dimension; }

    editors::CRichEditCtrlHeb* Upper() const { return upper_; }
    editors::CRichEditCtrlHeb* Lower() const { return lower_; }
    DimensionSession* Session() const { return session_.get(); }
    // Which edit had the focus last (the language buttons focus it).
    bool UpperFocus() const { return upperFocus_; }
    bool LowerFocus() const { return lowerFocus_; }

  public slots:
    void accept() override;
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void BuildControls();
    void Initialize();
    void OnTextChanged();
    void ApplyAngle(bool force);
    void StepAngle(int delta);

    std::unique_ptr<DimensionSession> session_;
    AcDbObjectId id_;
    bool initialising_ = true;
    bool initialised_ = false;
    bool closing_ = false;
    bool upperFocus_ = false;
    bool lowerFocus_ = false;

    editors::CRichEditCtrlHeb* upper_ = nullptr;
    editors::CRichEditCtrlHeb* lower_ = nullptr;
    toolkit::CValueEdit* angle_ = nullptr;
    toolkit::CUpDown* angleSpin_ = nullptr;
    QComboBox* attachment_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace tarsil
