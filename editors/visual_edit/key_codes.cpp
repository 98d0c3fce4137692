#include "editors/visual_edit/key_codes.h"

#include <QKeyEvent>
#include <cwctype>
#include <string_view>

#include "editors/visual_edit/input_language_port.h"

namespace tarsil::visual {
namespace {

// Characters of the US layout's punctuation keys 186..192 and 219..222,
// unshifted and shifted, in key order.
constexpr std::wstring_view kOemPlain = L";=,-./`";
constexpr std::wstring_view kOemShifted = L":+<_>?~";
constexpr std::wstring_view kBracketPlain = L"[\\]'";
constexpr std::wstring_view kBracketShifted = L"{|}\"";
// Shifted digits 0..9 of the US layout.
constexpr std::wstring_view kShiftedDigits = L")!@#$%^&*(";

int PunctuationKey(int qtKey) {
    const wchar_t c = static_cast<wchar_t>(qtKey);
    for (std::size_t i = 0; i < kOemPlain.size(); ++i)
        if (c == kOemPlain[i] || c == kOemShifted[i]) return vk::kOem1 + static_cast<int>(i);
    for (std::size_t i = 0; i < kBracketPlain.size(); ++i)
        if (c == kBracketPlain[i] || c == kBracketShifted[i])
            return vk::kOem4 + static_cast<int>(i);
    return 0;
}

int KeypadKey(int qtKey) {
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return vk::kNumpad0 + (qtKey - Qt::Key_0);
    switch (qtKey) {
        case Qt::Key_Asterisk:
            return vk::kMultiply;
        case Qt::Key_Plus:
            return vk::kAdd;
        case Qt::Key_Comma:
            return vk::kSeparator;
        case Qt::Key_Minus:
            return vk::kSubtract;
        case Qt::Key_Period:
            return vk::kDecimal;
        case Qt::Key_Slash:
            return vk::kDivide;
        case Qt::Key_Enter:
            return vk::kReturn;
        default:
            return 0;
    }
}

}  // namespace

int VirtualKeyOf(const QKeyEvent& event) {
    const int key = event.key();
    if (event.modifiers() & Qt::KeypadModifier) {
        if (const int pad = KeypadKey(key); pad != 0) return pad;
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return 'A' + (key - Qt::Key_A);
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return '0' + (key - Qt::Key_0);
    if (const std::size_t d = kShiftedDigits.find(static_cast<wchar_t>(key));
        key < 0x80 && d != std::wstring_view::npos)
        return '0' + static_cast<int>(d);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return 112 + (key - Qt::Key_F1);
    switch (key) {
        case Qt::Key_Backspace:
            return vk::kBack;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return vk::kTab;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return vk::kReturn;
        case Qt::Key_Shift:
            return vk::kShift;
        case Qt::Key_Control:
            return vk::kControl;
        case Qt::Key_Alt:
            return vk::kMenu;
        case Qt::Key_Pause:
            return 19;
        case Qt::Key_CapsLock:
            return 20;
        case Qt::Key_Escape:
            return vk::kEscape;
        case Qt::Key_Space:
            return vk::kSpace;
        case Qt::Key_PageUp:
            return vk::kPrior;
        case Qt::Key_PageDown:
            return vk::kNext;
        case Qt::Key_End:
            return vk::kEnd;
        case Qt::Key_Home:
            return vk::kHome;
        case Qt::Key_Left:
            return vk::kLeft;
        case Qt::Key_Up:
            return vk::kUp;
        case Qt::Key_Right:
            return vk::kRight;
        case Qt::Key_Down:
            return vk::kDown;
        case Qt::Key_Insert:
            return 45;
        case Qt::Key_Delete:
            return vk::kDelete;
        case Qt::Key_Meta:
            return 91;
        case Qt::Key_Menu:
            return 93;
        case Qt::Key_NumLock:
            return 144;
        case Qt::Key_ScrollLock:
            return 145;
        default:
            return key < 0x80 ? PunctuationKey(key) : 0;
    }
}

KeySide SideOf(const QKeyEvent& event) {
    switch (event.nativeScanCode()) {
        case 42:  // left Shift
        case 29:  // left Ctrl
        case 50:  // X keyboard: Shift_L
        case 37:  // X keyboard: Control_L
            return KeySide::kLeft;
        case 54:   // right Shift
        case 285:  // right Ctrl (extended)
        case 62:   // X keyboard: Shift_R
        case 105:  // X keyboard: Control_R
            return KeySide::kRight;
        default:
            return KeySide::kUnknown;
    }
}

bool CapsLockOf(const QKeyEvent& event) {
    const QString text = event.text();
    if (text.size() != 1 || !text[0].isLetter() || text[0].unicode() >= 0x80) return false;
    const bool shift = event.modifiers() & Qt::ShiftModifier;
    return text[0].isUpper() != shift;
}

bool IsDigitKey(int key) {
    return (key >= '0' && key <= '9') || (key >= vk::kNumpad0 && key <= vk::kNumpad0 + 9);
}

bool IsNumericSecondKind(int key) {
    switch (key) {
        case vk::kDelete:
        case vk::kOem2:
        case vk::kOem3:
        case vk::kOemMinus:
        case vk::kOemPlus:
        case vk::kOem5:
        case vk::kDecimal:
        case vk::kDivide:
        case vk::kMultiply:
        case vk::kSubtract:
        case vk::kAdd:
            return true;
        default:
            return false;
    }
}

bool IsIgnoredKey(int key) {
    if (key < 32)
        return key != vk::kBack && key != vk::kTab && key != vk::kReturn && key != vk::kEscape;
    return (key >= 91 && key <= 95) || (key >= 112 && key <= 185) || key >= 223;
}

wchar_t CharacterOfKey(int key, bool shift, bool capsLock, bool hebrew,
                       const InputLanguagePort& language) {
    const bool upper = shift || capsLock;
    if (key >= 'A' && key <= 'Z') {
        const wchar_t small = static_cast<wchar_t>(key - 'A' + 'a');
        if (hebrew && !upper) {
            if (const wchar_t letter = language.HebrewKey(small); letter != 0) return letter;
        }
        return upper ? static_cast<wchar_t>(key) : small;
    }
    if (key >= '0' && key <= '9')
        return upper ? kShiftedDigits[static_cast<std::size_t>(key - '0')]
                     : static_cast<wchar_t>(key);
    if (key >= vk::kNumpad0 && key <= vk::kNumpad0 + 9)
        return shift ? 0 : static_cast<wchar_t>('0' + key - vk::kNumpad0);
    switch (key) {
        case vk::kMultiply:
            return L'*';
        case vk::kAdd:
            return L'+';
        case vk::kSeparator:
            return L',';
        case vk::kSubtract:
            return L'-';
        case vk::kDecimal:
            return L'.';
        case vk::kDivide:
            return L'/';
        case vk::kSpace:
            return L' ';
        default:
            break;
    }
    const bool oem = key >= vk::kOem1 && key <= vk::kOem3;
    const bool bracket = key >= vk::kOem4 && key <= vk::kOem7;
    if (!oem && !bracket) return 0;
    const std::size_t i = static_cast<std::size_t>(key - (oem ? vk::kOem1 : vk::kOem4));
    const wchar_t plain = oem ? kOemPlain[i] : kBracketPlain[i];
    if (upper) return oem ? kOemShifted[i] : kBracketShifted[i];
    // Under the Hebrew layout these keys carry letters or other punctuation.
    if (hebrew && std::wstring_view(L",.;`'/").find(plain) != std::wstring_view::npos) {
        if (const wchar_t other = language.HebrewKey(plain); other != 0) return other;
    }
    return plain;
}

}  // namespace tarsil::visual
