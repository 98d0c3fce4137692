#include "editors/visual_edit/input_language_port.h"

#include <map>

namespace tarsil::visual {
namespace {

// Stands for the service until the control is connected to it: keeps the
// language and tells subscribers; it knows no Hebrew keys.
class LocalLanguage : public InputLanguagePort {
  public:
    int Current() const override { return language_; }
    bool Activate(int language) override {
        if (language != kLangHebrew && language != kLangEnglish) return false;
        if (language == language_) return true;
        language_ = language;
        const auto listeners = listeners_;
        for (const auto& [token, listener] : listeners) listener(language);
        return true;
    }
    wchar_t HebrewKey(wchar_t) const override { return 0; }
    int Subscribe(std::function<void(int)> onChange) override {
        listeners_[++lastToken_] = std::move(onChange);
        return lastToken_;
    }
    void Unsubscribe(int token) override { listeners_.erase(token); }

  private:
    int language_ = kLangEnglish;
    int lastToken_ = 0;
    std::map<int, std::function<void(int)>> listeners_;
};

InputLanguagePort* testPort = nullptr;

}  // namespace

InputLanguagePort& InputLanguage() {
    static LocalLanguage local;
    return testPort != nullptr ? *testPort : local;
}

void SetInputLanguageForTesting(InputLanguagePort* port) {
    testPort = port;
}

wchar_t ToScreen(wchar_t engine) {
    return engine >= 0xE0 && engine <= 0xFA ? static_cast<wchar_t>(engine - 0xE0 + 0x5D0) : engine;
}

wchar_t FromScreen(wchar_t screen) {
    return screen >= 0x5D0 && screen <= 0x5EA ? static_cast<wchar_t>(screen - 0x5D0 + 0xE0)
                                              : screen;
}

}  // namespace tarsil::visual
