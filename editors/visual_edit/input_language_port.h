// What the visual edit control needs of the input-language service: the
// language of the thread's keyboard layout, activating a layout, the
// character a key gives under the Hebrew layout, and word of a change.
#pragma once

#include <functional>

namespace tarsil::visual {

inline constexpr int kLangHebrew = 0x040D;
inline constexpr int kLangEnglish = 0x0409;

class InputLanguagePort {
  public:
    virtual ~InputLanguagePort() = default;
    // kLangHebrew or kLangEnglish.
    virtual int Current() const = 0;
    // Activates the layout of the language; false, changing nothing, when
    // it can be neither activated nor loaded.
    virtual bool Activate(int language) = 0;
    // The engine character (Windows layout) that the unshifted key of the
    // US character key gives under the Hebrew layout, 0 when it gives none.
    virtual wchar_t HebrewKey(wchar_t usKey) const = 0;
    // Called with the new language whenever the active layout changes;
    // returns a token for Unsubscribe.
    virtual int Subscribe(std::function<void(int language)> onChange) = 0;
    virtual void Unsubscribe(int token) = 0;
};

// The thread's input-language service (editors/language).
InputLanguagePort& InputLanguage();

// The widget edge of editors/language, one character at a time: engine
// characters to what the screen and clipboard show and back.
wchar_t ToScreen(wchar_t engine);
wchar_t FromScreen(wchar_t screen);

}  // namespace tarsil::visual
