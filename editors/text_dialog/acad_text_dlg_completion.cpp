// The completion list under the caret: the words that begin with the word
// being typed, chosen with the arrows and Enter, dismissed with Esc.
#include <QKeyEvent>

#include "editors/completion/completion_popup.h"
#include "editors/richedit/rich_edit_heb.h"
#include "editors/text_dialog/acad_text_dlg.h"
#include "editors/text_dialog/completion_words.h"

namespace tarsil::editors {

namespace {

// Blanks, punctuation below the digits and line breaks end a word.
bool InWord(wchar_t c) {
    return c >= L'0';
}

}  // namespace

void CAcadTextDlg::CreateCompletion() {
    completion_ = std::make_unique<CompletionPopup>(
        edit_, completion_list_, InWord,
        [this](QListWidget* list, const std::wstring& typed, int& height) {
            return words_->GetMatches(list, typed, height);
        });
}

void CAcadTextDlg::OnEditKey(QKeyEvent* event, bool* handled) {
    if (completion_->TakeKey(event)) *handled = true;
}

void CAcadTextDlg::OnCompletionWords() {
    long start = 0, end = 0;
    edit_->GetSel(start, end);
    words_->ShowSettings(edit_->GetTextRange(start, end), this);
    edit_->setFocus(Qt::OtherFocusReason);
}

}  // namespace tarsil::editors
