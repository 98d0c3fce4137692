// The editor's lists and value fields on the sample: style across font
// types, height and rotation (a non-number refused), equal spacing and
// then a line distance, and the layout of the window.
#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>
#include <cmath>

#include "tests/text_dialog/editor_fixture.h"

namespace tarsil {
namespace {

using testing::ControlOf;
using testing::EditOf;
using testing::ReadText;

constexpr wchar_t kNotANumber[] = L"Input not correct.\nOnly number allowed.";

class EditorValues : public testing::EditorTest {
  protected:
    // Types into a value field and presses Enter there.
    static void Enter(QDialog* dialog, int id, const QString& text) {
        auto* field = ControlOf<QLineEdit>(dialog, id);
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Return);
    }
    static void Choose(QDialog* dialog, int id, const QString& item) {
        auto* list = ControlOf<QComboBox>(dialog, id);
        const int index = list->findText(item);
        ASSERT_GE(index, 0) << item.toStdString();
        list->setCurrentIndex(index);
        emit list->activated(index);
    }
};

// (How a new style rewrites a line for its font is the lines' own test.)
TEST_F(EditorValues, TheListsShowTheSelectedLinesAndAStyleChangesThemAll) {
    Edit({L"36", L"39", L"3C"}, [&](QDialog* dialog) {
        auto* styles = ControlOf<QComboBox>(dialog, 1088);
        auto* justifications = ControlOf<QComboBox>(dialog, 1089);
        EXPECT_EQ(styles->currentText(), QStringLiteral("HEBBACK"));  // the caret's line
        EXPECT_EQ(ControlOf<QLineEdit>(dialog, 1004)->text(), QStringLiteral("2.500\n"));
        EXPECT_EQ(ControlOf<QLineEdit>(dialog, 1094)->text(), QStringLiteral("0.00\n"));
        QTest::keyClick(EditOf(dialog), Qt::Key_A, Qt::ControlModifier);  // all three
        EXPECT_EQ(styles->currentIndex(), -1);                            // three styles
        EXPECT_EQ(justifications->currentText(), QStringLiteral("Left"));
        Choose(dialog, 1088, QStringLiteral("HEBD2W"));
        Choose(dialog, 1089, QStringLiteral("Right"));
        Ok(dialog);
    });
    for (const wchar_t* handle : {L"36", L"39", L"3C"})
        EXPECT_EQ(ReadText(Id(handle)).style, L"HEBD2W");
    EXPECT_EQ(ReadText(Id(L"39")).horizontal, AcDb::kTextRight);
}

TEST_F(EditorValues, HeightAndRotationApplyToTheSelectedLinesAndANonNumberIsRefused) {
    Edit({L"36", L"39", L"3C"}, [&](QDialog* dialog) {
        QTextEdit* edit = EditOf(dialog);
        CaretToLine(edit, 1);
        Enter(dialog, 1004, QStringLiteral("3.5"));
        Enter(dialog, 1094, QStringLiteral("30"));
        EXPECT_TRUE(dialog->isVisible()) << "Enter in a field closed the editor";
        Enter(dialog, 1004, QStringLiteral("abc"));
        EXPECT_EQ(alerts_, std::vector<std::wstring>{kNotANumber});
        EXPECT_EQ(ControlOf<QLineEdit>(dialog, 1004)->text(), QStringLiteral("3.500\n"));
        // The up-down: its upper arrow adds 0.05, the lower takes it away,
        // but never down to 0 or below.
        auto arrows = ControlOf<QWidget>(dialog, 1090)->findChildren<QToolButton*>();
        ASSERT_EQ(arrows.size(), 2);
        QTest::mouseClick(arrows[0], Qt::LeftButton);
        EXPECT_EQ(ControlOf<QLineEdit>(dialog, 1004)->text(), QStringLiteral("3.550\n"));
        EXPECT_DOUBLE_EQ(ReadText(Id(L"39")).height, 3.55);
        Enter(dialog, 1004, QStringLiteral("0.04"));
        QTest::mouseClick(arrows[1], Qt::LeftButton);
        EXPECT_DOUBLE_EQ(ReadText(Id(L"39")).height, 0.04);
        // A negative height is no error of typing: no message, and the
        // host, which draws no text upside down this way, keeps the height.
        Enter(dialog, 1004, QStringLiteral("-2"));
        EXPECT_EQ(alerts_.size(), 1u);
        Ok(dialog);
    });
    EXPECT_DOUBLE_EQ(ReadText(Id(L"39")).height, 0.04);
    EXPECT_DOUBLE_EQ(ReadText(Id(L"36")).height, 2.5);
    EXPECT_NEAR(ReadText(Id(L"39")).rotation, M_PI / 6, 1e-12);
    EXPECT_DOUBLE_EQ(ReadText(Id(L"3C")).rotation, 0.0);
}

TEST_F(EditorValues, EqualSpacingThenALineDistanceKeepTheMiddle) {
    // The middle text out of step: y 0, -3, -10.
    AcDbText* text = nullptr;
    ASSERT_EQ(acdbOpenObject(text, Id(L"39"), AcDb::kForWrite), Acad::eOk);
    text->setPosition(AcGePoint3d(0, -3, 0));
    text->close();
    Edit({L"36", L"39", L"3C"}, [&](QDialog* dialog) {
        auto* distance = ControlOf<QLineEdit>(dialog, 1091);
        EXPECT_FALSE(distance->isEnabled());
        EXPECT_FALSE(ControlOf<QWidget>(dialog, 1093)->isEnabled());
        QTest::mouseClick(ControlOf<QToolButton>(dialog, 1112), Qt::LeftButton);
        EXPECT_TRUE(distance->isEnabled());
        EXPECT_EQ(distance->text(), QStringLiteral("5.000"));
        EXPECT_NEAR(ReadText(Id(L"39")).position.y, -5.0, 1e-9);
        Enter(dialog, 1091, QStringLiteral("7"));
        Ok(dialog);
    });
    // Three lines: the second keeps its place within half a step.
    EXPECT_NEAR(ReadText(Id(L"36")).position.y, 1.0, 1e-9);
    EXPECT_NEAR(ReadText(Id(L"39")).position.y, -6.0, 1e-9);
    EXPECT_NEAR(ReadText(Id(L"3C")).position.y, -13.0, 1e-9);
}

TEST_F(EditorValues, ResizingKeepsTheEditAndButtonsInTheirPlaces) {
    Edit({L"36"}, [&](QDialog* dialog) {
        dialog->resize(700, 400);
        QCoreApplication::processEvents();
        EXPECT_EQ(EditOf(dialog)->geometry(), QRect(QPoint(4, 33), QPoint(695, 364)));
        EXPECT_EQ(ControlOf<QWidget>(dialog, 1)->geometry(), QRect(274, 372, 72, 22));
        EXPECT_EQ(ControlOf<QWidget>(dialog, 2)->geometry(), QRect(354, 372, 72, 22));
        EXPECT_TRUE(ControlOf<QListWidget>(dialog, 1098)->isHidden());
        Ok(dialog);
    });
}

// Words from the module's word list offered under the caret.
TEST_F(EditorValues, CompletionFollowsTheTypedWordAndItsKeysChooseOrDismiss) {
    CompleteFromWordList();
    Edit({L"3C"}, [&](QDialog* dialog) {
        QTextEdit* edit = EditOf(dialog);
        auto* list = ControlOf<QListWidget>(dialog, 1098);
        RetypeLine(edit, 0, QStringLiteral("ak"));  // של
        ChooseTheLastOfTwo(edit, list);
        EXPECT_EQ(ReadText(Id(L"3C")).stored, testing::Win(L"\u05E9\u05DC\u05D5\u05E9\u05D4"));

        QTest::keyClicks(edit, QStringLiteral(" x"));  // ס: no word begins with it
        EXPECT_FALSE(list->isVisible());
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, QStringLiteral(" akuo"));
        ASSERT_TRUE(list->isVisible());
        QTest::keyClick(edit, Qt::Key_Escape);
        EXPECT_FALSE(list->isVisible());
        EXPECT_TRUE(dialog->isVisible()) << "Esc went to the dialog";
        // A double-click takes a word too.
        QTest::keyClicks(edit, QStringLiteral(" ak"));
        ASSERT_EQ(list->count(), 2);
        const QPoint at = list->visualItemRect(list->item(1)).center();
        // As a mouse sends it: a click, then the second press as a double-click.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        EXPECT_FALSE(list->isVisible());
        EXPECT_EQ(ReadText(Id(L"3C")).stored,
                  testing::Win(L"\u05E9\u05DC\u05D5\u05E9\u05D4 \u05E9\u05DC\u05D5\u05DD "
                               L"\u05E9\u05DC\u05D5\u05E9\u05D4"));
        Ok(dialog);
    });
}

}  // namespace
}  // namespace tarsil
