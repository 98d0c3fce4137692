// The input-language service, the Israeli keys of a Latin keyboard and the
// widget edge, without widgets.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <string>
#include <vector>

#include "editors/language/hebrew_keymap.h"
#include "editors/language/input_language.h"
#include "editors/language/keyboard_keys.h"
#include "editors/language/keyboard_layouts.h"
#include "editors/language/widget_edge.h"

namespace tarsil::editors {
namespace {

TEST(KeyboardLayouts, TextFormsAndBackAndBadText) {
    EXPECT_EQ(LayoutTextForm(kHebrewLayout), L"0000040D");
    EXPECT_EQ(LayoutTextForm(kEnglishLayout), L"00000409");
    EXPECT_EQ(LayoutTextForm(0xF00DAB12u), L"F00DAB12");
    EXPECT_EQ(LayoutFromTextForm(L"0000040D"), kHebrewLayout);
    EXPECT_EQ(LayoutFromTextForm(L"0000040d"), kHebrewLayout);
    EXPECT_EQ(LayoutFromTextForm(L"F00DAB12"), 0xF00DAB12u);
    for (const wchar_t* bad : {L"", L"40D", L"0000040G", L"00000040D", L" 000040D", L"-000040D"}) {
        EXPECT_FALSE(LayoutFromTextForm(bad).has_value())
            << "text: " << testing::PrintToString(bad);
    }
    EXPECT_EQ(CharsetOfLayout(kHebrewLayout), kHebrewCharset);
    EXPECT_EQ(CharsetOfLayout(0x0001040D), kHebrewCharset);  // a Hebrew variant
    EXPECT_EQ(CharsetOfLayout(kEnglishLayout), kAnsiCharset);
    EXPECT_EQ(CharsetOfLayout(0x0419), kAnsiCharset);
}

struct Heard {
    int charset;
    LayoutId layout;
    bool operator==(const Heard&) const = default;
};

class InputLanguageTest : public testing::Test {
  protected:
    InputLanguage service_;
    std::vector<Heard> heard_;
    InputLanguage::Subscription subscription_ =
        service_.Subscribe([this](int charset, LayoutId id) {
            heard_.push_back({charset, id});
        });
};

TEST_F(InputLanguageTest, ActivatingAndTogglingAnnounceTheCharsetOnceEach) {
    EXPECT_EQ(service_.CurrentLayout(), kEnglishLayout);
    EXPECT_EQ(service_.ActivateKeyboardLayout(kHebrewLayout), kEnglishLayout);
    EXPECT_EQ(service_.ActivateKeyboardLayout(kHebrewLayout), kHebrewLayout);  // no change
    service_.ToggleLayout();
    service_.ToggleLayout();
    EXPECT_EQ(heard_, (std::vector<Heard>{
                          {177, kHebrewLayout}, {0, kEnglishLayout}, {177, kHebrewLayout}}));
}

TEST_F(InputLanguageTest, LayoutsNotLoadedOrNotInstalledChangeNothingUntilLoaded) {
    EXPECT_EQ(service_.ActivateKeyboardLayout(0x0419), 0u);
    for (const wchar_t* text : {L"00000419", L"0000040X", L"", L"00000000"}) {
        EXPECT_EQ(service_.LoadKeyboardLayout(text, kLoadActivate), 0u);
    }
    service_.ActivateLayout(kHebrewLayout);
    service_.SetInstalled(kHebrewLayout, false);  // the active one goes: English takes over
    heard_.clear();
    service_.ActivateLayout(kHebrewLayout);  // neither activated nor loaded: silent
    service_.ToggleLayout();                 // one layout: nowhere to go
    EXPECT_EQ(service_.CurrentLayout(), kEnglishLayout);
    EXPECT_EQ(service_.LoadedLayouts(), std::vector<LayoutId>{kEnglishLayout});
    EXPECT_TRUE(heard_.empty());
    // Installed again but not loaded: ActivateLayout loads it by its text form.
    service_.SetInstalled(kHebrewLayout, true);
    EXPECT_EQ(service_.ActivateKeyboardLayout(kHebrewLayout), 0u);
    EXPECT_EQ(service_.LoadKeyboardLayout(L"0000040D", 0), kHebrewLayout);  // loads only
    EXPECT_EQ(service_.CurrentLayout(), kEnglishLayout);
    service_.RestoreDefaults();
    service_.SetInstalled(kHebrewLayout, false);
    service_.SetInstalled(kHebrewLayout, true);
    service_.ActivateLayout(kHebrewLayout);
    EXPECT_EQ(service_.CurrentLayout(), kHebrewLayout);
    EXPECT_EQ(heard_, (std::vector<Heard>{{177, kHebrewLayout}}));
}

TEST_F(InputLanguageTest, EverySubscriberHearsAndUnsubscribingWhileTold) {
    std::vector<int> order;
    InputLanguage::Subscription second;
    InputLanguage::Subscription first =
        service_.Subscribe([&](int, LayoutId) { order.push_back(1), second.Reset(); });
    second = service_.Subscribe([&](int, LayoutId) { order.push_back(2); });
    InputLanguage::Subscription late;
    bool late_subscribed = false;
    InputLanguage::Subscription third = service_.Subscribe([&](int, LayoutId) {
        order.push_back(3);
        if (!late_subscribed) {
            late_subscribed = true;
            late = service_.Subscribe([&](int, LayoutId) { order.push_back(4); });
        }
    });
    InputLanguage::Subscription once;
    once = service_.Subscribe([&](int, LayoutId) {
        once.Reset();  // a listener may end its own subscription while it is told
        order.push_back(5);
    });
    service_.ToggleLayout();
    EXPECT_EQ(order, (std::vector<int>{1, 3, 5}));  // 2 left before its turn, 4 came after
    EXPECT_EQ(heard_.size(), 1u);
    order.clear();
    { InputLanguage::Subscription moved = std::move(first); }
    service_.ToggleLayout();
    EXPECT_EQ(order, (std::vector<int>{3, 4}));
    EXPECT_EQ(service_.SubscriberCount(), 3u);  // the fixture's, third and late
}

// The Israeli layout's keys: each letter alef..tav (finals in their
// places) on its own Latin key; delimiters moved or mirrored, the rest kept.
TEST(HebrewKeymap, LatinKeysTypeTheIsraeliLettersAndPunctuation) {
    const std::string letters = "tcdsvuzjyhlfkonibxg;p.mera,";
    ASSERT_EQ(letters.size(), 27u);
    for (std::size_t i = 0; i < letters.size(); ++i) {
        EXPECT_EQ(HebrewLayoutCharacter(static_cast<char32_t>(letters[i])),
                  static_cast<char32_t>(0x05D0 + i))
            << "key " << letters[i];
    }
    const std::u32string keys = U"qw`'/()[]{}<>09-=T?\": \u05D0\u00E9";
    const std::u32string typed = U"/';,.)(][}{><09-=T?\": \u05D0\u00E9";
    ASSERT_EQ(keys.size(), typed.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(HebrewLayoutCharacter(keys[i]), typed[i])
            << "key U+" << std::hex << unsigned(keys[i]);
    }
}

TEST(WidgetEdge, LettersMapBothWaysAndEverythingElseIsKept) {
    EXPECT_EQ(EngineToWidget(U'\u00E0'), U'\u05D0');
    EXPECT_EQ(EngineToWidget(U'\u00FA'), U'\u05EA');
    EXPECT_EQ(WidgetToEngine(U'\u05EA'), U'\u00FA');
    for (const char32_t kept : {U'\u00DF', U'\u00FB', U'\u00FF', U'\u05CF', U'\u05EB', U'a'}) {
        EXPECT_EQ(EngineToWidget(kept), kept);
        EXPECT_EQ(WidgetToEngine(kept), kept);
    }
    std::wstring every_byte;
    for (wchar_t c = 1; c <= 0xFF; ++c) every_byte.push_back(c);
    EXPECT_EQ(FromWidgetText(ToWidgetText(every_byte)), every_byte);
    // Beyond the byte range: the euro, a character outside the basic plane
    // and a lone surrogate come back exactly.
    const std::wstring beyond = {L'\u00E0', L'\u20AC', static_cast<wchar_t>(0x1F600),
                                 static_cast<wchar_t>(0xD800), L'x'};
    const QString widget = ToWidgetText(beyond);
    EXPECT_EQ(widget.at(0), QChar(u'\u05D0'));
    EXPECT_EQ(FromWidgetText(widget), beyond);
}

QKeyEvent Press(int key, Qt::KeyboardModifiers modifiers, const QString& text = {}) {
    return QKeyEvent(QEvent::KeyPress, key, modifiers, text);
}

TEST(KeyboardKeys, AltShiftTogglesNothingElseDoes) {
    EXPECT_TRUE(IsLayoutToggleKey(Press(Qt::Key_Shift, Qt::AltModifier | Qt::ShiftModifier)));
    EXPECT_TRUE(IsLayoutToggleKey(Press(Qt::Key_Alt, Qt::AltModifier | Qt::ShiftModifier)));
    EXPECT_FALSE(IsLayoutToggleKey(Press(Qt::Key_Shift, Qt::ShiftModifier)));
    EXPECT_FALSE(IsLayoutToggleKey(Press(Qt::Key_Alt, Qt::AltModifier)));
    EXPECT_FALSE(IsLayoutToggleKey(
        Press(Qt::Key_Shift, Qt::AltModifier | Qt::ShiftModifier | Qt::ControlModifier)));
    EXPECT_FALSE(IsLayoutToggleKey(Press(Qt::Key_A, Qt::AltModifier | Qt::ShiftModifier)));
    EXPECT_FALSE(IsLayoutToggleKey(
        QKeyEvent(QEvent::KeyRelease, Qt::Key_Shift, Qt::AltModifier | Qt::ShiftModifier)));
}

TEST(KeyboardKeys, AKeyboardThatTypesHebrewItselfIsLeftAlone) {
    const auto slash = [] {
        return TranslatedKeyEvent(Press(Qt::Key_Slash, Qt::NoModifier, "/"), kHebrewLayout);
    };
    // The keyboard's own Hebrew layout: its letters and its '/' stay.
    EXPECT_EQ(TranslatedKeyEvent(Press(0, Qt::NoModifier, "ש"), kHebrewLayout), nullptr);
    EXPECT_EQ(slash(), nullptr);
    // A Latin letter says the keyboard is Latin again: '/' is the Hebrew '.'.
    ASSERT_NE(TranslatedKeyEvent(Press(Qt::Key_A, Qt::NoModifier, "a"), kHebrewLayout), nullptr);
    ASSERT_NE(slash(), nullptr);
    EXPECT_EQ(slash()->text(), QStringLiteral("."));
}

}  // namespace
}  // namespace tarsil::editors
