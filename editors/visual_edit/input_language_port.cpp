#include "editors/visual_edit/input_language_port.h"

#include <map>

#include "editors/language/hebrew_keymap.h"
#include "editors/language/input_language.h"
#include "editors/language/widget_edge.h"

namespace tarsil::visual {
namespace {

// The thread's input-language service, as the control sees it.
class ServiceLanguage : public InputLanguagePort {
  public:
    int Current() const override {
        return static_cast<int>(editors::InputLanguage::Instance().CurrentLayout());
    }
    bool Activate(int language) override {
        auto& service = editors::InputLanguage::Instance();
        service.ActivateLayout(static_cast<editors::LayoutId>(language));
        return service.CurrentLayout() == static_cast<editors::LayoutId>(language);
    }
    wchar_t HebrewKey(wchar_t usKey) const override {
        return static_cast<wchar_t>(
            editors::WidgetToEngine(editors::HebrewLayoutCharacter(static_cast<char32_t>(usKey))));
    }
    int Subscribe(std::function<void(int)> onChange) override {
        subscriptions_[++lastToken_] = editors::InputLanguage::Instance().Subscribe(
            [onChange = std::move(onChange)](int, editors::LayoutId layout) {
                onChange(static_cast<int>(layout));
            });
        return lastToken_;
    }
    void Unsubscribe(int token) override { subscriptions_.erase(token); }

  private:
    int lastToken_ = 0;
    std::map<int, editors::InputLanguage::Subscription> subscriptions_;
};

}  // namespace

InputLanguagePort& InputLanguage() {
    static ServiceLanguage service;
    return service;
}

wchar_t ToScreen(wchar_t engine) {
    return static_cast<wchar_t>(editors::EngineToWidget(static_cast<char32_t>(engine)));
}

wchar_t FromScreen(wchar_t screen) {
    return static_cast<wchar_t>(editors::WidgetToEngine(static_cast<char32_t>(screen)));
}

}  // namespace tarsil::visual
