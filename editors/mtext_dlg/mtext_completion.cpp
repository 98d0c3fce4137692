#include "editors/mtext_dlg/mtext_completion.h"

#include <QKeyEvent>
#include <QListWidget>
#include <algorithm>

#include "editors/completion/completion_word_dlg.h"
#include "editors/language/widget_edge.h"
#include "editors/richedit/rich_edit_heb.h"
#include "toolkit/control_id/control_id.h"

namespace tarsil::editors {
namespace {

constexpr int kCompletionListId = 1098;

bool IsHebrewLetter(wchar_t c) {
    return c >= 0xE0 && c <= 0xFA;  // engine form of U+05D0..U+05EA
}

}  // namespace

MTextCompletion::MTextCompletion(QWidget* dialog, CRichEditCtrlHeb* edit, CCompletionWordDlg* words)
    : edit_(edit), words_(words), list_(new QListWidget(dialog)) {
    toolkit::SetControlId(list_, kCompletionListId);
    list_->setFocusPolicy(Qt::NoFocus);
    list_->hide();
}

bool MTextCompletion::Visible() const {
    return list_->isVisible();
}

void MTextCompletion::Hide() {
    list_->hide();
}

void MTextCompletion::Update() {
    if (replacing_ || words_ == nullptr || !(words_->FileSwitch() || words_->DrawingSwitch()))
        return;
    long start = 0, end = 0;
    edit_->GetSel(start, end);
    if (start != end) return;
    // The run of Hebrew letters before the caret; anything else ends it.
    const std::wstring before = edit_->GetTextRange(0, end);
    std::size_t first = before.size();
    while (first > 0 && IsHebrewLetter(before[first - 1])) --first;
    const std::wstring word = before.substr(first);
    list_->clear();
    int heights = 0;
    const int widest = word.empty() ? 0 : words_->GetMatches(list_, word, &heights);
    if (word.empty() || list_->count() == 0) {
        list_->hide();
        return;
    }
    wordStart_ = static_cast<long>(first);
    caret_ = end;
    // Under the caret's line; the line runs right to left, so the list
    // opens leftwards from the caret, over the word being typed.
    const QRect caret = edit_->cursorRect();
    const QPoint below = edit_->viewport()->mapTo(list_->parentWidget(), caret.bottomLeft());
    const int width = widest + 8;
    list_->setGeometry(std::max(0, below.x() - width), below.y() + 1, width, heights + 8);
    list_->show();
    list_->raise();
    list_->setCurrentRow(0);
}

void MTextCompletion::Replace() {
    QListWidgetItem* item = list_->currentItem();
    list_->hide();
    if (item == nullptr) return;
    // The word just chosen would offer itself again.
    replacing_ = true;
    edit_->SetSel(wordStart_, caret_);
    edit_->ReplaceSel(FromWidgetText(item->text()), true);
    replacing_ = false;
}

bool MTextCompletion::TakeKey(QKeyEvent* event) {
    if (!list_->isVisible()) return false;
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            Replace();
            return true;
        case Qt::Key_Escape:
            list_->hide();
            return true;
        case Qt::Key_Up:
            list_->setCurrentRow(std::max(0, list_->currentRow() - 1));
            return true;
        case Qt::Key_Down:
            list_->setCurrentRow(std::min(list_->count() - 1, list_->currentRow() + 1));
            return true;
        default:
            return false;
    }
}

}  // namespace tarsil::editors
