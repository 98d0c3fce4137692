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

struct TypingCase {
    const char* name;
    int direction;
    // Runs typed in turn: a language and the keys.
    std::vector<std::pair<int, const char*>> runs;
    std::wstring logical;
};

TEST_F(EditTest, TypedTextIsLogicalAndShownInTheEnginesVisualOrder) {
    const std::wstring shalom = {kShin, kLamed, kVav, kFinalMem};
    const TypingCase cases[] = {
        {"latin, left to right", 1, {{kLangEnglish, "abc de"}}, L"abc de"},
        {"hebrew, right to left", 2, {{kLangHebrew, "akuo"}}, shalom},
        {"hebrew in a left-to-right line",
         1,
         {{kLangEnglish, "go "}, {kLangHebrew, "akuo"}, {kLangEnglish, " ok"}},
         L"go " + shalom + L" ok"},
        {"latin in a right-to-left line",
         2,
         {{kLangHebrew, "akuo "}, {kLangEnglish, "ab cd"}, {kLangHebrew, " tc"}},
         shalom + L" ab cd " + std::wstring{kAlef, kBet}},
        {"number in hebrew", 2, {{kLangHebrew, "tc 12"}}, std::wstring{kAlef, kBet} + L" 12"},
    };
    for (const TypingCase& c : cases) {
        SCOPED_TRACE(c.name);
        edit->SetEditText(L"", true);
        edit->SetDirection(c.direction);
        for (const auto& [lang, keys] : c.runs) {
            edit->ActivateLayout(lang);
            Type(keys);
        }
        EXPECT_EQ(edit->LogicalText(), c.logical);
        ExpectVisualIsReordering();
        EXPECT_EQ(edit->Text().toStdU16String().size(), c.logical.size());
    }
}

TEST_F(EditTest, ShiftAndCapsGiveCapitalsAndSymbolsEvenWithHebrew) {
    Hebrew();
    Type("t");
    QTest::keyClick(edit.get(), Qt::Key_T, Qt::ShiftModifier);
    QTest::keyClick(edit.get(), 'T');  // a capital without Shift: Caps Lock
    QTest::keyClick(edit.get(), Qt::Key_Exclam, Qt::ShiftModifier);
    QTest::keyClick(edit.get(), Qt::Key_Colon, Qt::ShiftModifier);
    Type(",");
    EXPECT_EQ(edit->LogicalText(), (std::wstring{kAlef, L'T', L'T', L'!', L':', kTav}));
}

TEST_F(EditTest, DigitsUnderHebrewTypeANumberAndTheNextLetterIsHebrewAgain) {
    edit->SetDirection(2);
    Hebrew();
    Type("3/5");
    EXPECT_EQ(edit->LogicalText(), L"3.5");
    EXPECT_EQ(edit->InputLanguage(), kLangEnglish) << "digits are typed as English";
    Type(" t");
    EXPECT_EQ(edit->LogicalText(), (std::wstring(L"3.5 ") + kAlef));
    EXPECT_EQ(edit->InputLanguage(), kLangHebrew);
    // Keypad digits count as digits too, and the keypad point stays a point.
    QTest::keyClick(edit.get(), Qt::Key_7, Qt::KeypadModifier);
    QTest::keyClick(edit.get(), Qt::Key_Period, Qt::KeypadModifier);
    Type("/");
    EXPECT_EQ(edit->LogicalText(), (std::wstring(L"3.5 ") + kAlef + L"7.."));
    ExpectVisualIsReordering();
}

TEST_F(EditTest, CtrlWithASideShiftSetsDirectionAlignmentAndLayout) {
    SideKey(Qt::Key_Shift, 54, Qt::ControlModifier | Qt::ShiftModifier);  // right Shift
    EXPECT_EQ(edit->Direction(), 1);
    EXPECT_EQ(edit->Alignment(), 2);
    EXPECT_EQ(edit->InputLanguage(), kLangHebrew);
    EXPECT_EQ(owner.seen,
              (std::vector<std::pair<int, long long>>{{kNoticeDirection, 2},
                                                      {kNoticeAlignment, 2},
                                                      {kNoticeReordered, 2},
                                                      {kNoticeInputLanguage, kLangHebrew}}));
    owner.seen.clear();
    SideKey(Qt::Key_Control, 29, Qt::ControlModifier | Qt::ShiftModifier);  // left Ctrl
    EXPECT_EQ(edit->Direction(), 0);
    EXPECT_EQ(edit->Alignment(), 1);
    EXPECT_EQ(edit->InputLanguage(), kLangEnglish);
    ASSERT_FALSE(owner.seen.empty());
    EXPECT_EQ(owner.seen.front(), (std::pair<int, long long>{kNoticeDirection, 1}));
    // X keyboard codes name the sides as well.
    SideKey(Qt::Key_Shift, 62, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(edit->Direction(), 1);
}

TEST_F(EditTest, AltShiftTogglesOnlyTheLayout) {
    edit->SetDirection(1);
    owner.seen.clear();
    SideKey(Qt::Key_Shift, 42, Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_EQ(edit->InputLanguage(), kLangHebrew);
    EXPECT_EQ(static_cast<int>(language.CurrentLayout()), kLangHebrew);
    EXPECT_EQ(edit->Direction(), 0);
    EXPECT_EQ(owner.seen,
              (std::vector<std::pair<int, long long>>{{kNoticeInputLanguage, kLangHebrew}}));
    SideKey(Qt::Key_Shift, 54, Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_EQ(edit->InputLanguage(), kLangEnglish);
}

TEST_F(EditTest, ALayoutChangeFromTheServiceReachesTheFocusedControlsOwner) {
    language.ActivateLayout(tarsil::editors::kHebrewLayout);
    EXPECT_EQ(edit->InputLanguage(), kLangHebrew);
    ASSERT_EQ(owner.seen.size(), 1u);
    EXPECT_EQ(owner.seen[0], (std::pair<int, long long>{kNoticeInputLanguage, kLangHebrew}));
    Type("t");
    EXPECT_EQ(edit->LogicalText(), std::wstring(1, kAlef));
}

TEST_F(EditTest, TabFillsToTheNextStopAndSingleLineIgnoresTabAndEnter) {
    edit->SetTabWidth(4);
    Key(Qt::Key_Tab);
    EXPECT_EQ(edit->LogicalText(), L"    ");
    edit->SetEditText(L"", true);
    Type("x");
    Key(Qt::Key_Tab);
    EXPECT_EQ(edit->LogicalText(), L"x   ");
    Key(Qt::Key_Return);
    Type("y");
    EXPECT_EQ(edit->LogicalText(), L"x   \ny");
    EXPECT_EQ(edit->CaretPosition().line, 1);

    edit->SetSingleLine(true);
    edit->SetEditText(L"a\nb", true);
    EXPECT_EQ(edit->LogicalText(), L"a b");
    Key(Qt::Key_Tab);
    Key(Qt::Key_Return);
    EXPECT_EQ(edit->LogicalText(), L"a b");
}

TEST_F(EditTest, The1025thCharacterIsRefusedAndIgnoredKeysTypeNothing) {
    edit->SetEditText(std::wstring(1024, L'x'), true);
    Type("y");
    EXPECT_EQ(edit->LogicalText(), std::wstring(1024, L'x'));
    edit->SetEditText(L"", true);
    for (Qt::Key key : {Qt::Key_F1, Qt::Key_F12, Qt::Key_Meta, Qt::Key_Insert, Qt::Key_CapsLock})
        Key(key);
    QTest::keyClick(edit.get(), Qt::Key_A, Qt::AltModifier);
    EXPECT_EQ(edit->LogicalText(), L"");
}

}  // namespace
}  // namespace visual_test
