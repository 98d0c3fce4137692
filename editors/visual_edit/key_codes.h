// The keys of the visual edit control in the terms its rules are written
// in: the platform's virtual-key codes, which side a modifier key is on,
// and the character an accepted key gives.
#pragma once

class QKeyEvent;

namespace tarsil::visual {

class InputLanguagePort;

namespace vk {
inline constexpr int kBack = 8, kTab = 9, kReturn = 13, kShift = 16, kControl = 17, kMenu = 18,
                     kEscape = 27, kSpace = 32, kPrior = 33, kNext = 34, kEnd = 35, kHome = 36,
                     kLeft = 37, kUp = 38, kRight = 39, kDown = 40, kDelete = 46, kNumpad0 = 96,
                     kMultiply = 106, kAdd = 107, kSeparator = 108, kSubtract = 109, kDecimal = 110,
                     kDivide = 111, kOem1 = 186, kOemPlus = 187, kOemComma = 188, kOemMinus = 189,
                     kOemPeriod = 190, kOem2 = 191, kOem3 = 192, kOem4 = 219, kOem5 = 220,
                     kOem6 = 221, kOem7 = 222;
}  // namespace vk

// 0 for a key that has no code here.
int VirtualKeyOf(const QKeyEvent& event);

enum class KeySide { kUnknown, kLeft, kRight };
// Side of a Shift or Ctrl key, from its scan code (the platform's set or the
// X keyboard's); unknown when the event carries none.
KeySide SideOf(const QKeyEvent& event);

// Caps Lock as the letter key shows it: a capital without Shift or a small
// letter with Shift.
bool CapsLockOf(const QKeyEvent& event);

bool IsDigitKey(int key);
// Delete, "/", grave accent, "-", "=", "\" and the keypad ".", "/", "*",
// "-", "+": keys that may follow digits without leaving them.
bool IsNumericSecondKind(int key);
// Control keys the control does not take (modifiers, function keys, ...).
bool IsIgnoredKey(int key);

// The character an accepted key gives, 0 when none; navigation keys of the
// keypad are not characters.
wchar_t CharacterOfKey(int key, bool shift, bool capsLock, bool hebrew,
                       const InputLanguagePort& language);

}  // namespace tarsil::visual
