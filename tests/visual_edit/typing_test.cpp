// Typing into the control: both paragraph directions with both layouts,
// digits under the Hebrew layout, the language and direction keys, and the
// notices its owner receives.
#include <gtest/gtest.h>

#include "language_fixture.h"

namespace visual_test {
namespace {

const auto* const kQt = ::testing::AddGlobalTestEnvironment(new tarsil::testing::QtApplication);

using tarsil::visual::kNoticeAlignment;
using tarsil::visual::kNoticeDirection;
using tarsil::visual::kNoticeInputLanguage;
using tarsil::visual::kNoticeReordered;

TEST_F(EditTest, TypedTextIsKeptInLogicalOrder) {
    const std::wstring shalom = {kShin, kLamed, kVav, kFinalMem};
    const struct {
        const char* name;
        int direction;
        int language;      // the first run's; each '|' turns to the other
        const char* keys;  // runs typed in turn
        std::wstring logical;
    } cases[] = {
        {"latin, left to right", 1, kLangEnglish, "abc de", L"abc de"},
        {"hebrew, right to left", 2, kLangHebrew, "akuo", shalom},
        {"hebrew in a left-to-right line", 1, kLangEnglish, "go |akuo| ok",
         L"go " + shalom + L" ok"},
        {"latin in a right-to-left line", 2, kLangHebrew, "akuo |ab cd| tc",
         shalom + L" ab cd " + std::wstring{kAlef, kBet}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        edit->SetEditText(L"", true);
        edit->SetDirection(c.direction);
        int language = c.language;
        for (const QString& run : QString(c.keys).split('|')) {
            edit->ActivateLayout(language);
            QTest::keyClicks(edit.get(), run);
            language = language == kLangHebrew ? kLangEnglish : kLangHebrew;
        }
        EXPECT_EQ(edit->LogicalText(), c.logical);
        EXPECT_EQ(edit->Text().toStdU16String().size(), c.logical.size());
    }
}

TEST_F(EditTest, ShiftCapsAndDigitsUnderHebrewTypeLatinThenHebrewAgain) {
    edit->SetDirection(2);
    Hebrew();
    Type("t");
    QTest::keyClick(edit.get(), Qt::Key_T, Qt::ShiftModifier);
    QTest::keyClick(edit.get(), 'T');  // a capital without Shift: Caps Lock
    QTest::keyClick(edit.get(), Qt::Key_Exclam, Qt::ShiftModifier);
    QTest::keyClick(edit.get(), Qt::Key_Colon, Qt::ShiftModifier);
    Type(",3/5");
    EXPECT_EQ(edit->LogicalText(), (std::wstring{kAlef, L'T', L'T', L'!', L':', kTav} + L"3.5"));
    EXPECT_EQ(edit->InputLanguage(), kLangEnglish) << "digits are typed as English";
    // Keypad digits count as digits too, and the keypad point stays a point.
    QTest::keyClick(edit.get(), Qt::Key_7, Qt::KeypadModifier);
    QTest::keyClick(edit.get(), Qt::Key_Period, Qt::KeypadModifier);
    Type("/ t");
    EXPECT_EQ(edit->LogicalText().substr(9), (std::wstring(L"7.. ") + kAlef));
    EXPECT_EQ(edit->InputLanguage(), kLangHebrew);
}

TEST_F(EditTest, SideKeysSetDirectionAlignmentAndLayoutAndTellTheOwner) {
    using Notices = std::vector<std::pair<int, long long>>;
    const auto ctrl_shift = Qt::ControlModifier | Qt::ShiftModifier;
    SideKey(Qt::Key_Shift, 54, ctrl_shift);  // Ctrl with the right Shift
    EXPECT_EQ(std::tuple(edit->Direction(), edit->Alignment(), edit->InputLanguage()),
              std::tuple(1, 2, kLangHebrew));
    EXPECT_EQ(owner.seen, (Notices{{kNoticeDirection, 2},
                                   {kNoticeAlignment, 2},
                                   {kNoticeReordered, 2},
                                   {kNoticeInputLanguage, kLangHebrew}}));
    owner.seen.clear();
    SideKey(Qt::Key_Control, 29, ctrl_shift);  // left Ctrl
    EXPECT_EQ(std::tuple(edit->Direction(), edit->Alignment(), edit->InputLanguage()),
              std::tuple(0, 1, kLangEnglish));
    ASSERT_FALSE(owner.seen.empty());
    EXPECT_EQ(owner.seen.front(), (std::pair<int, long long>{kNoticeDirection, 1}));
    SideKey(Qt::Key_Shift, 62, ctrl_shift);  // X keyboard codes name the sides as well
    EXPECT_EQ(edit->Direction(), 1);

    // Alt with either Shift toggles only the layout.
    owner.seen.clear();
    SideKey(Qt::Key_Shift, 42, Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_EQ(edit->InputLanguage(), kLangEnglish);
    EXPECT_EQ(static_cast<int>(language.CurrentLayout()), kLangEnglish);
    EXPECT_EQ(edit->Direction(), 1);
    EXPECT_EQ(owner.seen, (Notices{{kNoticeInputLanguage, kLangEnglish}}));
    SideKey(Qt::Key_Shift, 54, Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_EQ(edit->InputLanguage(), kLangHebrew);

    // A change made through the service reaches the focused control's owner.
    owner.seen.clear();
    language.ActivateLayout(tarsil::editors::kEnglishLayout);
    EXPECT_EQ(edit->InputLanguage(), kLangEnglish);
    EXPECT_EQ(owner.seen, (Notices{{kNoticeInputLanguage, kLangEnglish}}));
    Type("t");
    EXPECT_EQ(edit->LogicalText(), L"t");
}

TEST_F(EditTest, TabFillsToTheNextStopSingleLineIgnoresTabAndEnterAndOtherKeysTypeNothing) {
    edit->SetTabWidth(4);
    Press({{Qt::Key_Tab, {}, 4, L"    "}});
    edit->SetEditText(L"", true);
    Type("x");
    Press({{Qt::Key_Tab, {}, 4, L"x   "}, {Qt::Key_Return, {}, 5, L"x   \n"}});
    for (Qt::Key key : {Qt::Key_F1, Qt::Key_F12, Qt::Key_Meta, Qt::Key_Insert, Qt::Key_CapsLock})
        Key(key);
    QTest::keyClick(edit.get(), Qt::Key_A, Qt::AltModifier);
    EXPECT_EQ(edit->LogicalText(), L"x   \n");
    edit->SetSingleLine(true);
    edit->SetEditText(L"a b", true);
    Press({{Qt::Key_Tab, {}, -1, L"a b"}, {Qt::Key_Return, {}, -1, L"a b"}});
}

}  // namespace
}  // namespace visual_test
