// "Tarsil MText editor": one MText of the drawing, or a new one, edited in
// a Hebrew rich edit, one line per paragraph, with its style, attachment,
// height, line spacing and rotation.  Every change is in the drawing at
// once; OK keeps it all, Cancel takes it all back.
#pragma once

#include <QDialog>
#include <memory>

#include "cadhost/db/acdb_all.h"

class QComboBox;
class QPushButton;

namespace tarsil {
class MTextSession;
namespace toolkit {
class CUpDown;
class CValueEdit;
}  // namespace toolkit
namespace editors {
class CCompletionWordDlg;
class CompletionPopup;
class CRichEditCtrlHeb;
}  // namespace editors

// Control ids of the dialog.
namespace mtext_dlg {
inline constexpr int kEditId = 1087;
inline constexpr int kStyleId = 1088;
inline constexpr int kAttachmentId = 1089;
inline constexpr int kHeightId = 1004;
inline constexpr int kHeightSpinId = 1090;
inline constexpr int kSpacingId = 1091;
inline constexpr int kSpacingSpinId = 1093;
inline constexpr int kAngleId = 1094;
inline constexpr int kAngleSpinId = 1095;
inline constexpr int kWordsId = 1066;
inline constexpr int kUndoId = 1118;
inline constexpr int kOkId = 1;
inline constexpr int kCancelId = 2;
}  // namespace mtext_dlg

class CAcadMTextDlg : public QDialog {
    Q_OBJECT

  public:
    explicit CAcadMTextDlg(QWidget* parent = nullptr);
    ~CAcadMTextDlg() override;

    // The MText to edit, or a null id and the point of a new one.  Called
    // before the dialog is shown.
    void SetObject(AcDbObjectId mtext, const AcGePoint3d& insertion);

    editors::CRichEditCtrlHeb* Edit() const { return edit_; }
    MTextSession* Session() const { return session_.get(); }

  public slots:
    void accept() override;
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildControls();
    void Initialize();
    void LoadText();
    void OnTextChanged();
    void ApplyHeight();
    void ApplySpacing();
    void ApplyAngle();
    void StepHeight(int delta);
    void StepSpacing(int delta);
    void StepAngle(int delta);
    void OnStyleChosen(int index);
    void OnAttachmentChosen(int index);
    void OpenWords();
    void Refuse(const wchar_t* message, toolkit::CValueEdit* field, double old_value);
    void ShowValues();

    std::unique_ptr<MTextSession> session_;
    AcDbObjectId id_;
    AcGePoint3d insertion_;
    bool initialising_ = true;
    bool initialised_ = false;
    bool closing_ = false;

    editors::CRichEditCtrlHeb* edit_ = nullptr;
    QComboBox* style_ = nullptr;
    QComboBox* attachment_ = nullptr;
    toolkit::CValueEdit* height_ = nullptr;
    toolkit::CValueEdit* spacing_ = nullptr;
    toolkit::CValueEdit* angle_ = nullptr;
    toolkit::CUpDown* heightSpin_ = nullptr;
    toolkit::CUpDown* spacingSpin_ = nullptr;
    toolkit::CUpDown* angleSpin_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    std::unique_ptr<editors::CCompletionWordDlg> words_;
    std::unique_ptr<editors::CompletionPopup> completion_;
};

}  // namespace tarsil
