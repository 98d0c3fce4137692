// A keyboard service for the control's tests: two languages, a handful of
// Hebrew keys of the standard layout, and the notices the control sends.
#pragma once

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QTest>
#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "editors/visual_edit/input_language_port.h"
#include "editors/visual_edit/ug_multi_edit.h"
#include "editors/visual_edit/visual_edit_notice.h"
#include "hebrew/reorder.h"
#include "tests/module/qt_application.h"

namespace visual_test {

using tarsil::visual::kLangEnglish;
using tarsil::visual::kLangHebrew;

// Engine letters: alef, bet, gimel, shin, lamed, vav, final mem, tav.
inline constexpr wchar_t kAlef = 0xE0, kBet = 0xE1, kGimel = 0xE2, kShin = 0xF9, kLamed = 0xEC,
                         kVav = 0xE5, kFinalMem = 0xED, kTav = 0xFA;

class FakeLanguage : public tarsil::visual::InputLanguagePort {
  public:
    int Current() const override { return language_; }
    bool Activate(int language) override {
        ++activations;
        if (language != kLangHebrew && language != kLangEnglish) return false;
        if (language == language_) return true;
        language_ = language;
        auto copy = listeners_;
        for (auto& [token, listener] : copy) listener(language);
        return true;
    }
    wchar_t HebrewKey(wchar_t key) const override {
        static const std::map<wchar_t, wchar_t> keys = {
            {L't', kAlef}, {L'c', kBet},      {L'd', kGimel}, {L'a', kShin}, {L'k', kLamed},
            {L'u', kVav},  {L'o', kFinalMem}, {L',', kTav},   {L'/', L'.'}};
        const auto it = keys.find(key);
        return it == keys.end() ? 0 : it->second;
    }
    int Subscribe(std::function<void(int)> onChange) override {
        listeners_[++last_] = std::move(onChange);
        return last_;
    }
    void Unsubscribe(int token) override { listeners_.erase(token); }
    int activations = 0;

  private:
    int language_ = kLangEnglish;
    int last_ = 0;
    std::map<int, std::function<void(int)>> listeners_;
};

// Records the notices that reach the owner.
class NoticeRecorder : public QObject {
  public:
    bool event(QEvent* e) override {
        if (e->type() != tarsil::visual::VisualEditNotice::Type()) return QObject::event(e);
        const auto* n = static_cast<tarsil::visual::VisualEditNotice*>(e);
        seen.push_back({n->Message(), n->WParam()});
        return true;
    }
    std::vector<std::pair<int, long long>> seen;
};

// The engine's reordering of each line; a right-to-left paragraph shows its
// last line at the end of the listing's start.
inline std::wstring Reordered(const std::wstring& logical, bool rtl) {
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t feed = logical.find(L'\n', start);
        const std::wstring line = logical.substr(start, feed - start);
        std::vector<wchar_t> out(line.size() + 1);
        tarsil::hebrew::LogicalToVisual(line.c_str(), line.size(), out.data(), nullptr,
                                        rtl ? 0 : 1);
        lines.emplace_back(out.data(), line.size());
        if (feed == std::wstring::npos) break;
        start = feed + 1;
    }
    if (rtl) std::reverse(lines.begin(), lines.end());
    std::wstring joined;
    for (std::size_t i = 0; i < lines.size(); ++i) joined += (i > 0 ? L"\n" : L"") + lines[i];
    return joined;
}

class EditTest : public ::testing::Test {
  protected:
    void SetUp() override {
        tarsil::visual::SetInputLanguageForTesting(&language);
        edit = std::make_unique<tarsil::CUGMultiEdit>();
        edit->SetOwner(&owner);
        edit->resize(300, 120);
        edit->show();
        edit->activateWindow();
        edit->setFocus();
        ASSERT_TRUE(QTest::qWaitForWindowActive(edit.get()));
    }
    void TearDown() override {
        edit.reset();
        tarsil::visual::SetInputLanguageForTesting(nullptr);
    }
    void Type(const char* keys, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClicks(edit.get(), QString::fromLatin1(keys), mods);
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(edit.get(), key, mods);
    }
    // A modifier key with its scan code, as the keyboard sends it.
    void SideKey(Qt::Key key, quint32 scanCode, Qt::KeyboardModifiers mods) {
        QKeyEvent press(QEvent::KeyPress, key, mods, scanCode, 0, 0);
        QApplication::sendEvent(edit.get(), &press);
    }
    void Hebrew() { edit->ActivateLayout(kLangHebrew); }
    void English() { edit->ActivateLayout(kLangEnglish); }
    void ExpectVisualIsReordering() {
        EXPECT_EQ(edit->VisualText(), Reordered(edit->LogicalText(), edit->Direction() == 1));
    }

    FakeLanguage language;
    NoticeRecorder owner;
    std::unique_ptr<tarsil::CUGMultiEdit> edit;
};

}  // namespace visual_test
