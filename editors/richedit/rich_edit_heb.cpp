#include "editors/richedit/rich_edit_heb.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "editors/language/hebrew_keymap.h"
#include "editors/language/keyboard_keys.h"
#include "editors/language/widget_edge.h"
#include "editors/richedit/language_buttons.h"

namespace tarsil::editors {

namespace {

// Character format properties of our own.
constexpr int kDirectionProperty = QTextFormat::UserProperty + 1;
constexpr int kHiddenProperty = QTextFormat::UserProperty + 2;

// Copies carry the direction of each copied character, one byte each, so a
// paste inside the editors keeps what was typed as Hebrew.
const QString kDirectionsMime = QStringLiteral("application/x-tarsil-directions");

unsigned char DirectionOf(const QTextCharFormat& format) {
    return format.intProperty(kDirectionProperty) == kDirectionHebrew ? kDirectionHebrew
                                                                      : kDirectionOther;
}

// Text that did not come from the keyboard: Hebrew letters are Hebrew, the
// rest (digits, Latin, blanks, punctuation) is not.
std::vector<unsigned char> InsertedDirections(const QString& text) {
    std::vector<unsigned char> directions(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        directions[static_cast<std::size_t>(i)] =
            IsHebrewLetter(text.at(i).unicode()) ? kDirectionHebrew : kDirectionOther;
    }
    return directions;
}

// The format new text takes at the cursor: its neighbour's, but never hidden.
QTextCharFormat InsertFormat(const QTextCursor& cursor) {
    QTextCharFormat format = cursor.charFormat();
    if (format.boolProperty(kHiddenProperty)) {
        for (const int property :
             {kHiddenProperty, int(QTextFormat::ForegroundBrush),
              int(QTextFormat::FontLetterSpacing), int(QTextFormat::FontLetterSpacingType),
              int(QTextFormat::FontPixelSize)}) {
            format.clearProperty(property);
        }
    }
    return format;
}

// LF for every paragraph break of the widget's text.
QString WithLineFeeds(QString text) {
    text.replace(QChar::ParagraphSeparator, u'\n');
    return text;
}

// CR LF, CR and LF each as one LF.
QString NormalizedBreaks(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

// Inserts text at the cursor (replacing its selection) in one edit, each
// character with its direction.
void InsertWithDirections(QTextCursor& cursor, const QString& text,
                          const std::vector<unsigned char>& directions) {
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    const QTextCharFormat base = InsertFormat(cursor);
    qsizetype start = 0;
    while (start < text.size()) {
        const unsigned char direction = directions[static_cast<std::size_t>(start)];
        qsizetype end = start + 1;
        while (end < text.size() && directions[static_cast<std::size_t>(end)] == direction) ++end;
        QTextCharFormat format = base;
        format.setProperty(kDirectionProperty, int(direction));
        cursor.insertText(text.mid(start, end - start), format);
        start = end;
    }
    cursor.endEditBlock();
}

// Runs fn with the undo history switched off; it starts afresh afterwards.
template <class Fn>
void WithoutUndo(QTextDocument* document, Fn fn) {
    document->setUndoRedoEnabled(false);
    fn();
    document->setUndoRedoEnabled(true);
}

bool IsTypingKey(const QKeyEvent& event) {
    if (event.text().isEmpty()) return false;
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        return false;
    }
    for (const QChar c : event.text()) {
        if (!c.isPrint()) return false;  // Enter, Tab, Backspace stay with QTextEdit
    }
    return true;
}

}  // namespace

CRichEditCtrlHeb::CRichEditCtrlHeb(QWidget* parent) : QTextEdit(parent) {
    setAcceptRichText(false);
    connect(this, &QTextEdit::textChanged, this, &CRichEditCtrlHeb::OnTextChanged);
    connect(this, &QTextEdit::cursorPositionChanged, this, &CRichEditCtrlHeb::ReportSelection);
    connect(this, &QTextEdit::selectionChanged, this, &CRichEditCtrlHeb::ReportSelection);
    language_ = InputLanguage::Instance().Subscribe(
        [this](int charset, LayoutId) { OnInputLangChange(charset); });
}

CRichEditCtrlHeb::~CRichEditCtrlHeb() = default;

// ---- text ----

std::wstring CRichEditCtrlHeb::GetWindowText() const {
    std::wstring text;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        if (block != document()->begin()) text += L"\r\n";
        text += FromWidgetText(block.text());
    }
    return text;
}

void CRichEditCtrlHeb::SetWindowText(std::wstring_view text) {
    SetSel(0, -1);
    ReplaceSel(text, false);
}

long CRichEditCtrlHeb::GetTextLength() const {
    return document()->characterCount() - 1;
}

void CRichEditCtrlHeb::ReplaceSel(std::wstring_view text, bool can_undo) {
    const QString widget_text = NormalizedBreaks(ToWidgetText(text));
    QTextCursor cursor = textCursor();
    auto insert = [&] {
        InsertWithDirections(cursor, widget_text, InsertedDirections(widget_text));
    };
    if (can_undo) {
        insert();
    } else {
        WithoutUndo(document(), insert);
    }
    setTextCursor(cursor);
}

std::wstring CRichEditCtrlHeb::GetTextRange(long first, long end) const {
    const long length = GetTextLength();
    first = std::clamp(first, 0L, length);
    end = std::clamp(end, first, length);
    QTextCursor cursor(document());
    cursor.setPosition(first);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    return FromWidgetText(WithLineFeeds(cursor.selectedText()));
}

// ---- selection ----

void CRichEditCtrlHeb::GetSel(long& start, long& end) const {
    const QTextCursor cursor = textCursor();
    start = cursor.selectionStart();
    end = cursor.selectionEnd();
}

void CRichEditCtrlHeb::SetSel(long start, long end) {
    QTextCursor cursor = textCursor();
    if (start == -1) {
        cursor.clearSelection();
    } else {
        const long length = GetTextLength();
        if (end < 0 || end > length) end = length;
        start = std::clamp(start, 0L, length);
        cursor.setPosition(start);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
    }
    setTextCursor(cursor);
}

// ---- lines ----

int CRichEditCtrlHeb::GetLineCount() const {
    return document()->blockCount();
}

long CRichEditCtrlHeb::LineIndex(int line) const {
    const QTextBlock block = document()->findBlockByNumber(line);
    return block.isValid() ? block.position() : -1;
}

int CRichEditCtrlHeb::LineFromChar(long position) const {
    position = std::clamp(position, 0L, GetTextLength());
    return document()->findBlock(static_cast<int>(position)).blockNumber();
}

std::wstring CRichEditCtrlHeb::GetLineText(int line) const {
    const QTextBlock block = document()->findBlockByNumber(line);
    return block.isValid() ? FromWidgetText(block.text()) : std::wstring();
}

long CRichEditCtrlHeb::GetLineLength(int line) const {
    // The window text without CR holds each line followed by one LF, so the
    // line's length there is the length of its own text.
    return static_cast<long>(GetLineText(line).size());
}

// ---- the dialogs' operations ----

void CRichEditCtrlHeb::SetRightToLeft(bool right_to_left) {
    QTextBlockFormat format;
    format.setLayoutDirection(right_to_left ? Qt::RightToLeft : Qt::LeftToRight);
    QTextCursor cursor = textCursor();
    formatting_ = true;
    WithoutUndo(document(), [&] { cursor.mergeBlockFormat(format); });
    formatting_ = false;
}

void CRichEditCtrlHeb::AppendRuns(std::wstring_view text) {
    for (const std::wstring& run : SplitDigitRuns(text)) ReplaceSel(run, false);
}

void CRichEditCtrlHeb::GetCharDirections(unsigned char* out, long first, long end) const {
    if (out == nullptr || end <= first) return;
    std::fill(out, out + (end - first), kDirectionOther);
    const long length = GetTextLength();
    const long from = std::max(first, 0L);
    const long to = std::min(end, length);
    if (from >= to) return;
    // One pass over the fragments that meet [from, to); a paragraph break
    // belongs to no fragment and keeps 1.
    for (QTextBlock block = document()->findBlock(static_cast<int>(from));
         block.isValid() && block.position() < to; block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const long f_start = std::max<long>(fragment.position(), from);
            const long f_end = std::min<long>(fragment.position() + fragment.length(), to);
            if (f_start >= f_end) continue;
            std::fill(out + (f_start - first), out + (f_end - first),
                      DirectionOf(fragment.charFormat()));
        }
    }
}

std::vector<unsigned char> CRichEditCtrlHeb::GetCharDirections(long first, long end) const {
    std::vector<unsigned char> directions(end > first ? static_cast<std::size_t>(end - first) : 0);
    GetCharDirections(directions.data(), first, end);
    return directions;
}

void CRichEditCtrlHeb::HideMTextCodes() {
    const QString text = toPlainText();
    std::wstring units(static_cast<std::size_t>(text.size()), L'\0');
    for (qsizetype i = 0; i < text.size(); ++i) {
        units[static_cast<std::size_t>(i)] = text.at(i).unicode();
    }
    QTextCharFormat hidden;
    hidden.setProperty(kHiddenProperty, true);
    // Qt has no hidden text: a code is drawn transparent, one pixel high and
    // with 1 % of its advance (0 % reads as "unset"), so it takes no room.
    hidden.setForeground(Qt::transparent);
    hidden.setProperty(QTextFormat::FontPixelSize, 1);
    hidden.setFontLetterSpacingType(QFont::PercentageSpacing);
    hidden.setFontLetterSpacing(1);
    formatting_ = true;
    WithoutUndo(document(), [&] {
        QTextCursor cursor(document());
        for (const TextRange& range : MTextCodeRanges(units)) {
            cursor.setPosition(range.first);
            cursor.setPosition(range.end, QTextCursor::KeepAnchor);
            cursor.mergeCharFormat(hidden);
        }
    });
    formatting_ = false;
}

bool CRichEditCtrlHeb::IsHidden(long position) const {
    if (position < 0 || position >= GetTextLength()) return false;
    QTextCursor cursor(document());
    cursor.setPosition(position + 1);
    if (cursor.atBlockStart()) return false;  // a paragraph break
    return cursor.charFormat().boolProperty(kHiddenProperty);
}

// ---- notifications ----

std::uint32_t CRichEditCtrlHeb::SetEventMask(std::uint32_t mask) {
    const std::uint32_t old = event_mask_;
    event_mask_ = mask;
    return old;
}

void CRichEditCtrlHeb::ReportSelection() {
    long start = 0;
    long end = 0;
    GetSel(start, end);
    if (start == reported_start_ && end == reported_end_) return;
    reported_start_ = start;
    reported_end_ = end;
    if (event_mask_ & kEventSelChange) emit SelectionChanged(start, end);
}

void CRichEditCtrlHeb::OnTextChanged() {
    if (formatting_) return;
    // A selection that the edit moved is told first: the single-line editor
    // adds a record for a new line there before it compares lines here.
    ReportSelection();
    if (event_mask_ & kEventChange) emit Changed();
}

bool CRichEditCtrlHeb::OfferKey(QKeyEvent* event) {
    if (!(event_mask_ & kEventKeys)) return false;
    bool handled = false;
    emit KeyEvent(event, &handled);
    if (handled) event->accept();
    return handled;
}

// ---- keys, focus, clipboard ----

void CRichEditCtrlHeb::keyPressEvent(QKeyEvent* event) {
    if (OfferKey(event)) return;
    InputLanguage& language = InputLanguage::Instance();
    if (IsLayoutToggleKey(*event)) {
        language.ToggleLayout();
        event->accept();
        return;
    }
    if (!isReadOnly() && IsTypingKey(*event)) {
        const std::unique_ptr<QKeyEvent> translated =
            TranslatedKeyEvent(*event, language.CurrentLayout());
        const QString text = translated ? translated->text() : event->text();
        bool hebrew_letter = false;
        for (const QChar c : text) hebrew_letter = hebrew_letter || IsHebrewLetter(c.unicode());
        InsertTyped(text,
                    language.HebrewActive() || hebrew_letter ? kDirectionHebrew : kDirectionOther);
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) {
        MoveOverHiddenText(event);
        return;
    }
    QTextEdit::keyPressEvent(event);
}

bool CRichEditCtrlHeb::OnlyHiddenBetween(long from, long to) const {
    for (long p = std::min(from, to); p < std::max(from, to); ++p) {
        if (!IsHidden(p)) return false;
    }
    return true;
}

void CRichEditCtrlHeb::MoveOverHiddenText(QKeyEvent* event) {
    // The caret does not stop inside a hidden code: a step that crossed only
    // hidden characters goes on, and a step ends beyond the hidden
    // characters that follow it, so every arrow press moves visibly.
    const long before = textCursor().position();
    QTextEdit::keyPressEvent(event);
    long now = textCursor().position();
    while (now != before && OnlyHiddenBetween(before, now)) {
        const long last = now;
        QTextEdit::keyPressEvent(event);
        now = textCursor().position();
        if (now == last) break;
    }
    if (now == before) return;
    long end = now;
    if (now > before) {
        while (end < GetTextLength() && IsHidden(end)) ++end;
    } else {
        while (end > 0 && IsHidden(end - 1)) --end;
    }
    if (end == now) return;
    QTextCursor cursor = textCursor();
    const bool keep = event->modifiers().testFlag(Qt::ShiftModifier);
    cursor.setPosition(end, keep ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor);
    setTextCursor(cursor);
}

void CRichEditCtrlHeb::InsertTyped(const QString& text, unsigned char direction) {
    QTextCursor cursor = textCursor();
    if (overwriteMode() && !cursor.hasSelection() && !cursor.atBlockEnd()) {
        cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor, text.size());
    }
    QTextCharFormat format = InsertFormat(cursor);
    format.setProperty(kDirectionProperty, int(direction));
    // Plain insertText, so that consecutive keys merge into one undo step as
    // QTextEdit's own typing does.
    cursor.insertText(text, format);
    setTextCursor(cursor);
    ensureCursorVisible();
}

void CRichEditCtrlHeb::keyReleaseEvent(QKeyEvent* event) {
    if (OfferKey(event)) return;
    QTextEdit::keyReleaseEvent(event);
}

void CRichEditCtrlHeb::focusInEvent(QFocusEvent* event) {
    QTextEdit::focusInEvent(event);
    emit FocusReceived();
}

QMimeData* CRichEditCtrlHeb::createMimeDataFromSelection() const {
    const QTextCursor cursor = textCursor();
    auto* data = new QMimeData;
    data->setText(WithLineFeeds(cursor.selectedText()));
    const std::vector<unsigned char> directions =
        GetCharDirections(cursor.selectionStart(), cursor.selectionEnd());
    data->setData(kDirectionsMime, QByteArray(reinterpret_cast<const char*>(directions.data()),
                                              static_cast<qsizetype>(directions.size())));
    return data;
}

bool CRichEditCtrlHeb::canInsertFromMimeData(const QMimeData* source) const {
    return source != nullptr && source->hasText();
}

void CRichEditCtrlHeb::insertFromMimeData(const QMimeData* source) {
    if (source == nullptr || !source->hasText() || isReadOnly()) return;
    const QString text = source->text();
    const QByteArray ours = source->data(kDirectionsMime);
    QString inserted;
    std::vector<unsigned char> directions;
    if (!ours.isEmpty() && ours.size() == text.size()) {
        inserted = text;
        directions.assign(ours.begin(), ours.end());
    } else {
        // From elsewhere: nothing says how it was typed.
        inserted = NormalizedBreaks(text);
        directions = InsertedDirections(inserted);
    }
    QTextCursor cursor = textCursor();
    InsertWithDirections(cursor, inserted, directions);
    setTextCursor(cursor);
    ensureCursorVisible();
}

// ---- input language ----

void CRichEditCtrlHeb::OnInputLangChange(int charset) {
    if (owner_ == nullptr) return;
    ShowLanguagePushed(owner_, charset != 0);
}

void CRichEditCtrlHeb::SelectHebrewInput() {
    editors::SelectHebrewInput(owner_ != nullptr ? owner_ : window(), this);
}

void CRichEditCtrlHeb::SelectEnglishInput() {
    editors::SelectEnglishInput(owner_ != nullptr ? owner_ : window(), this);
}

}  // namespace tarsil::editors
