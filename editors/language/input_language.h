// The input language of the thread: which keyboard layouts are loaded, which
// one is active, and who hears of a change.  It stands for the desktop's
// keyboard-layout services, with the same rules: a layout can be activated
// only once loaded, loading needs a layout the machine has, and a change of
// the active layout is announced with the character set of the new one.
// Every editor subscribes; the user switches with the language buttons,
// with Alt+Shift (see keyboard_keys.h), or an editor switches for him.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string_view>
#include <vector>

#include "editors/language/keyboard_layouts.h"

namespace tarsil::editors {

class InputLanguage {
  public:
    // Told the character set of the new language (kHebrewCharset or
    // kAnsiCharset) and the layout itself.
    using Listener = std::function<void(int charset, LayoutId layout)>;

    // Ends a subscription when destroyed.  Move-only.
    class Subscription {
      public:
        Subscription() = default;
        ~Subscription();
        Subscription(Subscription&& other) noexcept;
        Subscription& operator=(Subscription&& other) noexcept;
        Subscription(const Subscription&) = delete;
        Subscription& operator=(const Subscription&) = delete;
        void Reset();

      private:
        friend class InputLanguage;
        Subscription(InputLanguage* owner, std::uint64_t key) : owner_(owner), key_(key) {}
        InputLanguage* owner_ = nullptr;
        std::uint64_t key_ = 0;
    };

    // The calling thread's service; each thread has its own layout.
    static InputLanguage& Instance();

    // The machine's layouts: English and Hebrew installed and loaded,
    // English active.
    InputLanguage();

    // The active layout of the thread (GetKeyboardLayout(0)).
    LayoutId CurrentLayout() const { return current_; }
    int CurrentCharset() const { return CharsetOfLayout(current_); }
    bool HebrewActive() const { return CharsetOfLayout(current_) == kHebrewCharset; }

    // Makes a loaded layout active (ActivateKeyboardLayout, no flags).
    // Gives the layout that was active, or 0 when id is not loaded; nothing
    // changes then.
    LayoutId ActivateKeyboardLayout(LayoutId id);
    // Loads the layout named by its text form (LoadKeyboardLayoutW) and, with
    // kLoadActivate in flags, activates it.  Gives the layout, or 0 when the
    // text names no layout the machine has; nothing changes then.
    LayoutId LoadKeyboardLayout(std::wstring_view text_form, unsigned flags);
    // What the editors call: activate id, or else load and activate it by
    // its text form.  A layout that can be neither leaves the language as
    // it was, silently.
    void ActivateLayout(LayoutId id);
    // Alt+Shift: the next loaded layout, wrapping around.
    void ToggleLayout();

    // The loaded layouts in load order.
    const std::vector<LayoutId>& LoadedLayouts() const { return loaded_; }

    // Whether the machine has a layout at all: one taken away is unloaded
    // too (if it was active, the first other loaded layout takes its place).
    // For machines without a Hebrew layout, and for tests and the demo.
    void SetInstalled(LayoutId id, bool installed);
    bool IsInstalled(LayoutId id) const;
    // Back to the machine's layouts as at construction; subscribers stay
    // and hear of the change if the active layout changes.
    void RestoreDefaults();

    // Every subscriber hears every change of the active layout, in the order
    // they subscribed.  A listener may subscribe or unsubscribe others (and
    // itself) while it is told; one added then hears the next change.
    [[nodiscard]] Subscription Subscribe(Listener listener);
    std::size_t SubscriberCount() const { return listeners_.size(); }

  private:
    void SetCurrent(LayoutId id);
    void Unsubscribe(std::uint64_t key);
    bool IsLoaded(LayoutId id) const;

    std::vector<LayoutId> installed_;
    std::vector<LayoutId> loaded_;
    LayoutId current_ = kEnglishLayout;
    std::map<std::uint64_t, Listener> listeners_;
    std::uint64_t next_key_ = 1;
};

}  // namespace tarsil::editors
