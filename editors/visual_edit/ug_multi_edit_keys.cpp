// Keyboard handling of the visual edit control: language and direction
// keys first, then editing keys, then characters.
#include <QKeyEvent>

#include "editors/language/widget_edge.h"
#include "editors/visual_edit/input_language_port.h"
#include "editors/visual_edit/key_codes.h"
#include "editors/visual_edit/ug_multi_edit.h"

namespace tarsil {

using namespace visual;

namespace {

bool IsStrong(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') ||
           editors::IsEngineLetter(static_cast<char32_t>(c));
}

}  // namespace

bool CUGMultiEdit::LanguageAndDirectionKeys(const QKeyEvent& event, int& key) {
    const Qt::KeyboardModifiers mods = event.modifiers();
    const bool shift = mods & Qt::ShiftModifier;
    const bool ctrl = mods & Qt::ControlModifier;
    const bool alt = mods & Qt::AltModifier;
    // Digits typed with the Hebrew layout are English digits; the first key
    // that cannot belong to a number goes back to Hebrew.
    if (inputLanguage_ == kLangHebrew && IsDigitKey(key)) {
        inputLanguage_ = kLangEnglish;
        digitsInHebrew_ = true;
    } else if (digitsInHebrew_ && !IsDigitKey(key) && !IsNumericSecondKind(key)) {
        inputLanguage_ = kLangHebrew;
        digitsInHebrew_ = false;
    }
    if (digitsInHebrew_ && key == vk::kOem2) key = vk::kDecimal;

    if (key == vk::kShift && alt && !ctrl) {
        ActivateLayout(inputLanguage_ == kLangHebrew ? kLangEnglish : kLangHebrew);
        return true;
    }
    if ((key == vk::kShift && ctrl) || (key == vk::kControl && shift)) {
        switch (SideOf(event)) {
            case KeySide::kLeft:
                SetDirection(1);
                ActivateLayout(kLangEnglish);
                break;
            case KeySide::kRight:
                SetDirection(2);
                ActivateLayout(kLangHebrew);
                break;
            case KeySide::kUnknown:
                break;
        }
        return true;
    }
    return IsIgnoredKey(key);
}

void CUGMultiEdit::keyPressEvent(QKeyEvent* event) {
    int key = VirtualKeyOf(*event);
    // A keyboard whose own layout types Hebrew letters gives them directly.
    const QString text = event->text();
    if (key == 0 && text.size() == 1 && text[0].unicode() >= 0x5D0 && text[0].unicode() <= 0x5EA) {
        InsertTyped(FromScreen(text[0].unicode()));
        return;
    }
    if (LanguageAndDirectionKeys(*event, key)) return;
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (mods & Qt::AltModifier) {
        event->ignore();  // other system keys belong to the window
        return;
    }
    if (key == vk::kEscape) {
        event->ignore();  // the owner decides what Escape means
        return;
    }
    const bool shift = mods & Qt::ShiftModifier;
    const bool handled = (mods & Qt::ControlModifier) ? ControlKey(key) : EditingKey(key, shift);
    if (handled) {
        ScrollToCaret();
        update();
        return;
    }
    if (mods & Qt::ControlModifier) return;
    const bool hebrew = inputLanguage_ == kLangHebrew;
    const wchar_t c =
        CharacterOfKey(key, shift, CapsLockOf(*event), hebrew, visual::InputLanguage());
    if (c != 0) InsertTyped(c);
}

bool CUGMultiEdit::ControlKey(int key) {
    switch (key) {
        case vk::kEnd:
            logicalCaretValid_ = false;
            caret_ = anchor_ = model_.IndexOf(VisualLineOf(DisplayRowCount() - 1), 1 << 30);
            return true;
        case vk::kHome:
            logicalCaretValid_ = false;
            caret_ = anchor_ = model_.IndexOf(VisualLineOf(0), 0);
            return true;
        case 'C':
            Copy();
            return true;
        case 'X':
            Cut();
            return true;
        case 'V':
            Paste();
            return true;
        case 'Z':
            Undo();
            return true;
        default:
            return false;
    }
}

bool CUGMultiEdit::EditingKey(int key, bool shift) {
    const LinePosition at = model_.PositionOf(caret_);
    switch (key) {
        case vk::kBack:
            Backspace();
            return true;
        case vk::kTab:
            if (!singleLine_) InsertTab();
            return true;
        case vk::kReturn:
            if (!singleLine_) InsertLineFeed();
            return true;
        case vk::kEnd:
            PlaceCaret(model_.IndexOf(at.line, 1 << 30), shift);
            return true;
        case vk::kHome:
            PlaceCaret(model_.IndexOf(at.line, 0), shift);
            return true;
        case vk::kLeft:
        case vk::kRight: {
            // A right-aligned line is listed from its right end: Left reads on.
            const bool forward = (key == vk::kRight) == (alignment_ != 2);
            const std::size_t before = anchor_;
            forward ? MoveForward() : MoveBackward();
            if (shift) anchor_ = before;
            logicalCaretValid_ = false;
            return true;
        }
        case vk::kUp:
        case vk::kDown: {
            const std::size_t before = anchor_;
            MoveRows(key == vk::kUp ? -1 : 1);
            if (shift) anchor_ = before;
            return true;
        }
        case vk::kPrior:
        case vk::kNext: {
            const int page = std::max(1, TextArea().height() / LineHeight() * 3 / 4);
            MoveRows(key == vk::kPrior ? -page : page);
            return true;
        }
        case vk::kDelete:
            DeleteForward();
            return true;
        default:
            return false;
    }
}

std::size_t CUGMultiEdit::InsertionPoint() const {
    return logicalCaretValid_ ? logicalCaret_ : model_.LogicalInsertionIndex(caret_);
}

bool CUGMultiEdit::InsertAtCaret(std::wstring_view text, bool against) {
    const std::size_t at = InsertionPoint();
    if (!model_.InsertLogical(at, text)) {
        update();
        return false;
    }
    logicalCaret_ = at + text.size();
    logicalCaretValid_ = true;
    caret_ = anchor_ = model_.CaretAfterLogical(logicalCaret_, against);
    TextChanged();
    return true;
}

void CUGMultiEdit::InsertTyped(wchar_t c) {
    DeleteSelection();
    if (!model_.Fits(1)) {
        update();
        return;
    }
    // A letter reads in its own direction; anything else in the direction
    // of the layout it was typed with.
    bool typedRtl = inputLanguage_ == kLangHebrew;
    if (IsStrong(c)) {
        typedRtl = c >= 0xE0;
        runLanguage_ = inputLanguage_;
    }
    InsertAtCaret(std::wstring_view(&c, 1), typedRtl != (direction_ == 1));
}

void CUGMultiEdit::Backspace() {
    if (DeleteSelection()) return;
    const std::size_t at = InsertionPoint();
    if (at == 0) return;
    model_.EraseLogical(at - 1, 1);
    logicalCaret_ = at - 1;
    logicalCaretValid_ = true;
    caret_ = anchor_ = model_.CaretAfterLogical(
        at - 1, inputLanguage_ == kLangHebrew ? direction_ == 0 : direction_ == 1);
    TextChanged();
}

void CUGMultiEdit::DeleteForward() {
    if (DeleteSelection()) return;
    const std::size_t at = InsertionPoint();
    if (at >= model_.Logical().size()) return;
    model_.EraseLogical(at, 1);
    logicalCaret_ = at;
    logicalCaretValid_ = true;
    caret_ = anchor_ = model_.CaretAfterLogical(at, false);
    TextChanged();
}

void CUGMultiEdit::InsertTab() {
    DeleteSelection();
    // The number of spaces is fixed by the caret's column before inserting.
    const int column = model_.PositionOf(caret_).column;
    InsertAtCaret(std::wstring(static_cast<std::size_t>(tabWidth_ - column % tabWidth_), L' '),
                  false);
}

void CUGMultiEdit::InsertLineFeed() {
    DeleteSelection();
    InsertAtCaret(L"\n", false);
}

void CUGMultiEdit::MoveForward() {
    logicalCaretValid_ = false;
    const LinePosition at = model_.PositionOf(caret_);
    const int length = static_cast<int>(model_.VisualLine(at.line).size());
    const int row = DisplayRowOf(at.line);
    if (at.column < length)
        caret_ = model_.IndexOf(at.line, at.column + 1);
    else if (row + 1 < DisplayRowCount())
        caret_ = model_.IndexOf(VisualLineOf(row + 1), 0);
    anchor_ = caret_;
}

void CUGMultiEdit::MoveBackward() {
    logicalCaretValid_ = false;
    const LinePosition at = model_.PositionOf(caret_);
    const int row = DisplayRowOf(at.line);
    if (at.column > 0)
        caret_ = model_.IndexOf(at.line, at.column - 1);
    else if (row > 0)
        caret_ = model_.IndexOf(VisualLineOf(row - 1), 1 << 30);
    anchor_ = caret_;
}

void CUGMultiEdit::MoveRows(int delta) {
    logicalCaretValid_ = false;
    const LinePosition at = model_.PositionOf(caret_);
    const int row = std::clamp(DisplayRowOf(at.line) + delta, 0, DisplayRowCount() - 1);
    caret_ = anchor_ = model_.IndexOf(VisualLineOf(row), at.column);
}

void CUGMultiEdit::PlaceCaret(std::size_t index, bool extendSelection) {
    caret_ = std::min(index, model_.Visual().size());
    if (!extendSelection) anchor_ = caret_;
    logicalCaretValid_ = false;
}

}  // namespace tarsil
