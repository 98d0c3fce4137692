// The control on the thread's input-language service, with the notices it
// sends its owner recorded.
#pragma once

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QTest>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "editors/language/input_language.h"
#include "editors/visual_edit/input_language_port.h"
#include "editors/visual_edit/ug_multi_edit.h"
#include "editors/visual_edit/visual_edit_notice.h"
#include "tests/module/qt_application.h"

namespace visual_test {

using tarsil::visual::kLangEnglish;
using tarsil::visual::kLangHebrew;

// Engine letters, and the keys of the Hebrew layout that type them: alef
// (t), bet (c), shin (a), lamed (k), vav (u), final mem (o), tav (,).
inline constexpr wchar_t kAlef = 0xE0, kBet = 0xE1, kShin = 0xF9, kLamed = 0xEC, kVav = 0xE5,
                         kFinalMem = 0xED, kTav = 0xFA;

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

class EditTest : public ::testing::Test {
  protected:
    void SetUp() override {
        language.RestoreDefaults();
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
        language.RestoreDefaults();
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
    // Keys pressed in turn, each with the caret index (-1: not checked)
    // and the logical text (null: not checked) it leaves.
    struct Step {
        Qt::Key key;
        Qt::KeyboardModifiers mods = Qt::NoModifier;
        int caret = -1;
        const wchar_t* text = nullptr;
    };
    void Press(std::initializer_list<Step> steps) {
        int n = 0;
        for (const Step& step : steps) {
            Key(step.key, step.mods);
            const std::wstring text = edit->LogicalText();
            EXPECT_TRUE(step.caret < 0 || edit->CaretIndex() == step.caret)
                << "step " << ++n << " caret " << edit->CaretIndex();
            EXPECT_TRUE(step.text == nullptr || text == step.text)
                << "step " << n << " text " << ::testing::PrintToString(text);
        }
    }
    void Hebrew() { edit->ActivateLayout(kLangHebrew); }

    tarsil::editors::InputLanguage& language = tarsil::editors::InputLanguage::Instance();
    NoticeRecorder owner;
    std::unique_ptr<tarsil::CUGMultiEdit> edit;
};

}  // namespace visual_test
