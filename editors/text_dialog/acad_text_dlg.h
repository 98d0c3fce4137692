// The single-line text editor: the selected texts of the drawing as the
// lines of one Hebrew rich edit, top to bottom.  Every change is written to
// the drawing while the user types, inside one host undo group that OK ends
// and Cancel ends and takes back.  The lines and their texts are kept by
// TextLines; this dialog joins them to the controls.
#pragma once

#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "host/entity_ops/text_properties.h"
#include "host/text_lines/text_lines.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;

namespace tarsil::editors {

class CRichEditCtrlHeb;
class CUpDown;
class CompletionPopup;
class CompletionWords;

class CAcadTextDlg : public QDialog {
    Q_OBJECT

  public:
    explicit CAcadTextDlg(QWidget* parent = nullptr);
    ~CAcadTextDlg() override;

    // The command's records, before the dialog is shown.
    void SetRecords(std::vector<CTextProperties> records);
    const TextLines& Lines() const { return *lines_; }
    CRichEditCtrlHeb* Edit() const { return edit_; }
    QListWidget* CompletionList() const { return completion_list_; }

  public slots:
    void accept() override;
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void CreateControls();
    void InitDialog();
    void LoadLines();
    void OnEditFocus();
    void OnEditChanged();
    void OnEditSelectionChanged();
    void OnEditKey(QKeyEvent* event, bool* handled);
    void ShowSelectionValues();
    void SelectStyleByPrefix(const std::wstring& name);

    // The lines the selection touches (first, last).
    std::pair<int, int> SelectedLines() const;
    std::vector<std::wstring> EditLines() const;
    std::vector<unsigned char> LineMask(int line) const;

    void ApplyHeight();
    void StepHeight(int delta);
    void ApplyRotation();
    void StepRotation(int delta);
    void ApplyLineDistance();
    void StepLineDistance(int delta);
    void OnJustification(int index);
    void OnStyle(int index);
    void OnEqualSpacing();

    void CreateCompletion();
    void OnCompletionWords();

    std::unique_ptr<TextLines> lines_;
    std::unique_ptr<CompletionWords> words_;
    std::unique_ptr<CompletionPopup> completion_;
    // Set from construction until the edit first has the focus, and while
    // a change is applied or a refusal is shown: notifications are ignored.
    bool initialising_ = true;
    bool initialised_ = false;

    CRichEditCtrlHeb* edit_ = nullptr;
    QComboBox* style_list_ = nullptr;
    QComboBox* justification_list_ = nullptr;
    QLineEdit* height_ = nullptr;
    CUpDown* height_up_down_ = nullptr;
    QLineEdit* rotation_ = nullptr;
    CUpDown* rotation_up_down_ = nullptr;
    QToolButton* equal_spacing_ = nullptr;
    QLineEdit* line_distance_ = nullptr;
    CUpDown* line_distance_up_down_ = nullptr;
    QPushButton* completion_words_ = nullptr;
    QPushButton* undo_ = nullptr;
    QListWidget* completion_list_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace tarsil::editors

namespace tarsil {
using editors::CAcadTextDlg;
}
