#include "editors/visual_edit/ug_multi_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <algorithm>

#include "editors/visual_edit/input_language_port.h"
#include "editors/visual_edit/visual_edit_notice.h"

namespace tarsil {

using visual::kLangEnglish;
using visual::kLangHebrew;

CUGMultiEdit::CUGMultiEdit(QWidget* parent)
    : QWidget(parent),
      inputLanguage_(visual::InputLanguage().Current()),
      runLanguage_(inputLanguage_),
      scrollBar_(new QScrollBar(Qt::Vertical, this)) {
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::IBeamCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    scrollBar_->hide();
    QObject::connect(scrollBar_, &QScrollBar::valueChanged, this,
                     [this](int value) { SetFirstLine(value, true); });
    languageToken_ =
        visual::InputLanguage().Subscribe([this](int language) { OnLanguageChanged(language); });
}

CUGMultiEdit::~CUGMultiEdit() {
    visual::InputLanguage().Unsubscribe(languageToken_);
}

void CUGMultiEdit::SetText(const QString& text) {
    std::wstring engine;
    engine.reserve(static_cast<std::size_t>(text.size()));
    for (QChar c : text) {
        const wchar_t narrow = visual::FromScreen(c.unicode());
        // Narrowing ends at the first character that has no byte.
        if (narrow > 0xFF) break;
        engine.push_back(narrow);
    }
    SetEditText(engine, true);
}

QString CUGMultiEdit::Text() const {
    QString out;
    for (wchar_t c : model_.Logical())
        out.append(QChar(static_cast<char16_t>(visual::ToScreen(c))));
    return out;
}

void CUGMultiEdit::SetEditText(const std::wstring& text, bool fromLogical) {
    model_.SetText(text, fromLogical, singleLine_);
    caret_ = anchor_ = 0;
    logicalCaretValid_ = false;
    firstLine_ = 0;
    UpdateScrollRange();
    update();
}

void CUGMultiEdit::SetDirection(int d) {
    direction_ = d == 2 ? 1 : 0;
    Notify(visual::kNoticeDirection, d, 0);
    alignment_ = d == 1 ? 1 : 2;
    Notify(visual::kNoticeAlignment, alignment_, 0);
    runLanguage_ = inputLanguage_;
    logicalCaretValid_ = false;
    model_.SetRightToLeft(direction_ == 1);
    caret_ = std::min(caret_, model_.Visual().size());
    anchor_ = std::min(anchor_, model_.Visual().size());
    Notify(visual::kNoticeReordered, d, 0);
    update();
}

void CUGMultiEdit::ActivateLayout(int language) {
    visual::InputLanguage().Activate(language);
    // The service tells every control of the change; this one keeps the
    // language it asked for even when the layout was already active.
    inputLanguage_ = visual::InputLanguage().Current();
    RefreshCaret();
}

void CUGMultiEdit::OnLanguageChanged(int language) {
    inputLanguage_ = language;
    digitsInHebrew_ = false;
    caretStale_ = true;
    if (hasFocus()) {
        caretShown_ = true;
        repaint();
        Notify(visual::kNoticeInputLanguage, language, language);
    }
}

void CUGMultiEdit::RefreshCaret() {
    caretStale_ = true;
    caretShown_ = hasFocus() && isVisible();
    update();
}

void CUGMultiEdit::SetSel(int start, int end) {
    logicalCaretValid_ = false;
    const int length = static_cast<int>(model_.Visual().size());
    if (start < 0) {
        anchor_ = caret_;
    } else {
        if (end < 0 || end > length) end = length;
        anchor_ = static_cast<std::size_t>(std::min(start, length));
        caret_ = static_cast<std::size_t>(end);
    }
    update();
}

std::pair<int, int> CUGMultiEdit::GetSel() const {
    return {static_cast<int>(std::min(anchor_, caret_)),
            static_cast<int>(std::max(anchor_, caret_))};
}

QString CUGMultiEdit::SelectedText() const {
    const auto [from, to] = GetSel();
    QString out;
    for (wchar_t c :
         model_.LogicalOfVisualRange(static_cast<std::size_t>(from), static_cast<std::size_t>(to)))
        out.append(QChar(static_cast<char16_t>(visual::ToScreen(c))));
    return out;
}

bool CUGMultiEdit::DeleteSelection() {
    if (!HasSelection()) return false;
    const auto [from, to] = GetSel();
    std::size_t first = model_.Logical().size();
    for (int p = from; p < to; ++p)
        first = std::min<std::size_t>(first, model_.IndexMap()[static_cast<std::size_t>(p)]);
    model_.EraseVisualRange(static_cast<std::size_t>(from), static_cast<std::size_t>(to));
    caret_ = anchor_ = model_.CaretAfterLogical(first, false);
    logicalCaret_ = first;
    logicalCaretValid_ = true;
    TextChanged();
    return true;
}

void CUGMultiEdit::Copy() {
    if (!HasSelection()) return;
    QString text = SelectedText();
    text.replace(QLatin1Char('\n'), QLatin1Char('\r'));
    QApplication::clipboard()->setText(text);
}

void CUGMultiEdit::Cut() {
    if (!HasSelection()) return;
    Copy();
    DeleteSelection();
}

void CUGMultiEdit::Paste() {
    const QString text = QApplication::clipboard()->text();
    if (text.isEmpty()) return;
    DeleteSelection();
    std::wstring engine;
    for (qsizetype i = 0; i < text.size(); ++i) {
        wchar_t c = visual::FromScreen(text[i].unicode());
        if (c > 0xFF) break;
        if (c == L'\r' && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) continue;
        if (c == L'\r') c = L'\n';
        if (c == L'\t' || (singleLine_ && c == L'\n')) c = L' ';
        engine.push_back(c);
    }
    const std::size_t room = visual::kMaxTextLength - model_.Logical().size();
    if (engine.size() > room) engine.resize(room);
    if (engine.empty()) return;
    InsertAtCaret(engine, false);
}

bool CUGMultiEdit::Undo() {
    if (!model_.Undo()) return false;
    caret_ = anchor_ = 0;
    logicalCaretValid_ = false;
    TextChanged();
    return true;
}

void CUGMultiEdit::TextChanged() {
    modified_ = true;
    UpdateScrollRange();
    ScrollToCaret();
    update();
}

void CUGMultiEdit::Notify(int message, long long wParam, long long lParam) {
    QObject* target = owner_ != nullptr ? owner_ : parent();
    if (target == nullptr) return;
    visual::VisualEditNotice notice(message, wParam, lParam);
    QCoreApplication::sendEvent(target, &notice);
}

int CUGMultiEdit::DisplayRowOf(int visualLine) const {
    return direction_ == 1 ? model_.VisualLineCount() - 1 - visualLine : visualLine;
}

int CUGMultiEdit::VisualLineOf(int displayRow) const {
    return direction_ == 1 ? model_.VisualLineCount() - 1 - displayRow : displayRow;
}

}  // namespace tarsil
