#include "editors/language/input_language.h"

#include <algorithm>
#include <utility>

namespace tarsil::editors {

namespace {

const std::vector<LayoutId> kMachineLayouts = {kEnglishLayout, kHebrewLayout};

}  // namespace

InputLanguage::Subscription::~Subscription() {
    Reset();
}

InputLanguage::Subscription::Subscription(Subscription&& other) noexcept
    : owner_(std::exchange(other.owner_, nullptr)), key_(std::exchange(other.key_, 0)) {}

InputLanguage::Subscription& InputLanguage::Subscription::operator=(Subscription&& other) noexcept {
    if (this != &other) {
        Reset();
        owner_ = std::exchange(other.owner_, nullptr);
        key_ = std::exchange(other.key_, 0);
    }
    return *this;
}

void InputLanguage::Subscription::Reset() {
    if (owner_ != nullptr) owner_->Unsubscribe(key_);
    owner_ = nullptr;
    key_ = 0;
}

InputLanguage& InputLanguage::Instance() {
    thread_local InputLanguage service;
    return service;
}

InputLanguage::InputLanguage() : installed_(kMachineLayouts), loaded_(kMachineLayouts) {}

bool InputLanguage::IsLoaded(LayoutId id) const {
    return std::find(loaded_.begin(), loaded_.end(), id) != loaded_.end();
}

bool InputLanguage::IsInstalled(LayoutId id) const {
    return std::find(installed_.begin(), installed_.end(), id) != installed_.end();
}

LayoutId InputLanguage::ActivateKeyboardLayout(LayoutId id) {
    if (!IsLoaded(id)) return 0;
    const LayoutId previous = current_;
    SetCurrent(id);
    return previous;
}

LayoutId InputLanguage::LoadKeyboardLayout(std::wstring_view text_form, unsigned flags) {
    const std::optional<LayoutId> id = LayoutFromTextForm(text_form);
    if (!id || *id == 0 || !IsInstalled(*id)) return 0;
    if (!IsLoaded(*id)) loaded_.push_back(*id);
    if ((flags & kLoadActivate) != 0) SetCurrent(*id);
    return *id;
}

void InputLanguage::ActivateLayout(LayoutId id) {
    if (ActivateKeyboardLayout(id) == 0) LoadKeyboardLayout(LayoutTextForm(id), kLoadActivate);
}

void InputLanguage::ToggleLayout() {
    if (loaded_.empty()) return;
    auto at = std::find(loaded_.begin(), loaded_.end(), current_);
    if (at == loaded_.end() || ++at == loaded_.end()) at = loaded_.begin();
    SetCurrent(*at);
}

void InputLanguage::SetInstalled(LayoutId id, bool installed) {
    if (id == 0) return;
    if (installed) {
        if (!IsInstalled(id)) installed_.push_back(id);
        return;
    }
    std::erase(installed_, id);
    std::erase(loaded_, id);
    if (current_ == id && !loaded_.empty()) SetCurrent(loaded_.front());
}

void InputLanguage::RestoreDefaults() {
    installed_ = kMachineLayouts;
    loaded_ = kMachineLayouts;
    SetCurrent(kEnglishLayout);
}

InputLanguage::Subscription InputLanguage::Subscribe(Listener listener) {
    const std::uint64_t key = next_key_++;
    listeners_.emplace(key, std::move(listener));
    return Subscription(this, key);
}

void InputLanguage::Unsubscribe(std::uint64_t key) {
    listeners_.erase(key);
}

void InputLanguage::SetCurrent(LayoutId id) {
    if (id == current_) return;
    current_ = id;
    const int charset = CharsetOfLayout(id);
    // Keys taken first: a listener may end its own or another subscription
    // (an editor closing in reply), or add one that waits for the next change.
    std::vector<std::uint64_t> keys;
    keys.reserve(listeners_.size());
    for (const auto& [key, listener] : listeners_) keys.push_back(key);
    for (const std::uint64_t key : keys) {
        const auto found = listeners_.find(key);
        if (found == listeners_.end()) continue;
        const Listener listener = found->second;  // survives its own unsubscription
        listener(charset, id);
    }
}

}  // namespace tarsil::editors
