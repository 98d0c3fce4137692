// The completion list under an editor's caret: the words that begin with
// the word before the caret, chosen with the arrows and Enter or a
// double-click, dismissed with Esc.  The editors differ only in what makes
// a word and where the words come from.
#pragma once

#include <functional>
#include <string>

class QKeyEvent;
class QListWidget;

namespace tarsil::editors {

class CRichEditCtrlHeb;

class CompletionPopup {
  public:
    // True for a character that belongs to a word.
    using InWord = bool (*)(wchar_t);
    // Adds the words that begin with the typed one to the list; gives the
    // widest word's width and, in height, the sum of their heights.
    using Matcher = std::function<int(QListWidget* list, const std::wstring& typed, int& height)>;

    // The list is the dialog's own control; it is hidden until words match.
    CompletionPopup(CRichEditCtrlHeb* edit, QListWidget* list, InWord in_word, Matcher matches);

    // After a text change: fills, places and shows the list, or hides it.
    void Update();
    // A key pressed in the edit while the list shows; true when the list took it.
    bool TakeKey(const QKeyEvent* event);
    bool Visible() const;
    void Hide();

  private:
    void Replace();

    CRichEditCtrlHeb* edit_;
    QListWidget* list_;
    InWord in_word_;
    Matcher matches_;
    long word_start_ = 0;
    long caret_ = 0;
    bool replacing_ = false;  // a chosen word is going in
};

}  // namespace tarsil::editors
