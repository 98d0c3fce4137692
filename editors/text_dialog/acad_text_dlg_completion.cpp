// The completion list under the caret: the words that begin with the word
// being typed, chosen with the arrows and Enter, dismissed with Esc.
#include <QKeyEvent>
#include <QListWidget>

#include "editors/language/widget_edge.h"
#include "editors/richedit/rich_edit_heb.h"
#include "editors/text_dialog/acad_text_dlg.h"
#include "editors/text_dialog/completion_words.h"

namespace tarsil::editors {

namespace {

// Blanks, punctuation below the digits and line breaks end a word.
bool EndsWord(wchar_t c) {
    return c < L'0';
}

}  // namespace

void CAcadTextDlg::UpdateCompletion() {
    if (!words_->Enabled() || completing_) return;
    long start = 0, end = 0;
    edit_->GetSel(start, end);
    if (start != end) return;
    const long lineStart = edit_->LineIndex(edit_->LineFromChar(end));
    const std::wstring before = edit_->GetTextRange(lineStart, end);
    std::size_t wordStart = before.size();
    while (wordStart > 0 && !EndsWord(before[wordStart - 1])) --wordStart;
    const std::wstring word = before.substr(wordStart);
    if (word.empty()) {
        HideCompletion();
        return;
    }
    completion_list_->clear();
    int height = 0;
    const int width = words_->GetMatches(completion_list_, word, height);
    if (completion_list_->count() == 0) {
        HideCompletion();
        return;
    }
    // Under the caret's line; the line runs right to left, so the list
    // opens leftwards from the caret, over the word being typed.
    const QRect caret = edit_->cursorRect();
    const QPoint below = edit_->viewport()->mapTo(this, caret.bottomLeft());
    const int listWidth = width + 2 * completion_list_->frameWidth() + 4;
    const int listHeight = height + 2 * completion_list_->frameWidth();
    completion_list_->setGeometry(std::max(0, below.x() - listWidth), below.y() + 1, listWidth,
                                  listHeight);
    completion_list_->show();
    completion_list_->raise();
    completion_list_->setCurrentRow(0);
    completion_word_start_ = end - static_cast<long>(word.size());
    completion_caret_ = end;
}

void CAcadTextDlg::HideCompletion() {
    completion_list_->hide();
}

void CAcadTextDlg::AcceptCompletion() {
    QListWidgetItem* item = completion_list_->currentItem();
    HideCompletion();
    if (item == nullptr) return;
    // The word just chosen would offer itself again.
    completing_ = true;
    edit_->SetSel(completion_word_start_, completion_caret_);
    edit_->ReplaceSel(FromWidgetText(item->text()), true);
    completing_ = false;
}

void CAcadTextDlg::OnEditKey(QKeyEvent* event, bool* handled) {
    if (!completion_list_->isVisible() || event->type() != QEvent::KeyPress) return;
    const int row = completion_list_->currentRow();
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            AcceptCompletion();
            break;
        case Qt::Key_Escape:
            HideCompletion();
            break;
        case Qt::Key_Up:
            completion_list_->setCurrentRow(std::max(0, row - 1));
            break;
        case Qt::Key_Down:
            completion_list_->setCurrentRow(std::min(completion_list_->count() - 1, row + 1));
            break;
        default:
            return;
    }
    *handled = true;
}

void CAcadTextDlg::OnCompletionWords() {
    long start = 0, end = 0;
    edit_->GetSel(start, end);
    words_->ShowSettings(edit_->GetTextRange(start, end), this);
    edit_->setFocus(Qt::OtherFocusReason);
}

}  // namespace tarsil::editors
