#include "editors/completion/completion_popup.h"

#include <QKeyEvent>
#include <QListWidget>
#include <algorithm>

#include "editors/language/widget_edge.h"
#include "editors/richedit/rich_edit_heb.h"

namespace tarsil::editors {

CompletionPopup::CompletionPopup(CRichEditCtrlHeb* edit, QListWidget* list, InWord in_word,
                                 Matcher matches)
    : edit_(edit), list_(list), in_word_(in_word), matches_(std::move(matches)) {
    list_->setFocusPolicy(Qt::NoFocus);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->hide();
    QObject::connect(list_, &QListWidget::itemDoubleClicked, list_, [this] { Replace(); });
}

void CompletionPopup::Update() {
    if (replacing_) return;
    long start = 0, end = 0;
    edit_->GetSel(start, end);
    if (start != end) return;
    // The word runs back from the caret to the start of its line at most.
    const long line_start = edit_->LineIndex(edit_->LineFromChar(end));
    const std::wstring before = edit_->GetTextRange(line_start, end);
    std::size_t first = before.size();
    while (first > 0 && in_word_(before[first - 1])) --first;
    const std::wstring word = before.substr(first);
    list_->clear();
    int height = 0;
    const int width = word.empty() ? 0 : matches_(list_, word, height);
    if (list_->count() == 0) {
        list_->hide();
        return;
    }
    word_start_ = end - static_cast<long>(word.size());
    caret_ = end;
    // Under the caret's line; the line runs right to left, so the list
    // opens leftwards from the caret, over the word being typed.
    const QRect caret = edit_->cursorRect();
    const QPoint below = edit_->viewport()->mapTo(list_->parentWidget(), caret.bottomLeft());
    // The rows as the list lays them out, which is taller than the font's
    // lines; the words' own measure decides when it is wider.
    int rows = 0;
    for (int row = 0; row < list_->count(); ++row) rows += list_->sizeHintForRow(row);
    const int frame = 2 * list_->frameWidth();
    const int list_width = std::max(width, list_->sizeHintForColumn(0)) + frame + 4;
    list_->setGeometry(std::max(0, below.x() - list_width), below.y() + 1, list_width,
                       std::max(height, rows) + frame);
    list_->show();
    list_->raise();
    list_->setCurrentRow(0);
}

void CompletionPopup::Replace() {
    QListWidgetItem* item = list_->currentItem();
    list_->hide();
    if (item == nullptr) return;
    // The word just chosen would offer itself again.
    replacing_ = true;
    edit_->SetSel(word_start_, caret_);
    edit_->ReplaceSel(FromWidgetText(item->text()), true);
    replacing_ = false;
}

bool CompletionPopup::TakeKey(const QKeyEvent* event) {
    if (!list_->isVisible() || event->type() != QEvent::KeyPress) return false;
    const int row = list_->currentRow();
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            Replace();
            return true;
        case Qt::Key_Escape:
            list_->hide();
            return true;
        case Qt::Key_Up:
            list_->setCurrentRow(std::max(0, row - 1));
            return true;
        case Qt::Key_Down:
            list_->setCurrentRow(std::min(list_->count() - 1, row + 1));
            return true;
        default:
            return false;
    }
}

bool CompletionPopup::Visible() const {
    return list_->isVisible();
}

void CompletionPopup::Hide() {
    list_->hide();
}

}  // namespace tarsil::editors
