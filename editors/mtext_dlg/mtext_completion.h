// The completion list under the caret of the MText editor (list box 1098):
// the Hebrew word before the caret is offered the matching words; Enter
// puts the chosen one in place of the word, Esc hides the list, the arrows
// move its selection.
#pragma once

#include <memory>
#include <string>

class QKeyEvent;
class QListWidget;
class QWidget;

namespace tarsil::editors {

class CCompletionWordDlg;
class CRichEditCtrlHeb;

class MTextCompletion {
  public:
    MTextCompletion(QWidget* dialog, CRichEditCtrlHeb* edit, CCompletionWordDlg* words);

    // After a text change: fills, places and shows the list, or hides it.
    void Update();
    // A key for the edit while the list shows; true when the list took it.
    bool TakeKey(QKeyEvent* event);
    bool Visible() const;
    void Hide();
    QListWidget* List() const { return list_; }

  private:
    void Replace();

    CRichEditCtrlHeb* edit_;
    CCompletionWordDlg* words_;
    QListWidget* list_;
    long wordStart_ = 0;
    long caret_ = 0;
    bool replacing_ = false;  // a chosen word is going in
};

}  // namespace tarsil::editors
