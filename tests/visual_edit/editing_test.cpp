// Editing in the control: caret moves in both alignments, selection by keys
// and mouse, Ctrl+Z, the clipboard, scrolling, the caret, and the drawing
// routine that paints the lines.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QImage>
#include <QPainter>

#include "editors/visual_edit/draw_visual_text.h"
#include "language_fixture.h"

namespace visual_test {
namespace {

constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;

TEST_F(EditTest, ArrowsReadOnInTheLinesOwnDirection) {
    edit->SetEditText(L"abc\nde", true);
    // Past a line's end is the next line's start, and back again.
    Press({{Qt::Key_Right},
           {Qt::Key_Right, {}, 2},
           {Qt::Key_End},
           {Qt::Key_Right, {}, 4},
           {Qt::Key_Left, {}, 3},
           {Qt::Key_End, kCtrl, 6},
           {Qt::Key_Right, {}, 6},
           {Qt::Key_Home, kCtrl, 0},
           {Qt::Key_Left, {}, 0}});
    EXPECT_EQ(edit->CaretPosition().line, 0);

    // Right to left: Left reads on, Right goes back.
    edit->SetEditText({kShin, kLamed, kVav}, true);
    edit->SetDirection(2);
    Press({{Qt::Key_Left}, {Qt::Key_Left, {}, 2}, {Qt::Key_Right, {}, 1}});
    Hebrew();
    Type("t");
    EXPECT_EQ(edit->LogicalText(), (std::wstring{kShin, kAlef, kLamed, kVav}));
}

TEST_F(EditTest, UpAndDownFollowTheRowsShownInARightToLeftParagraph) {
    edit->SetEditText({kAlef, L'\n', kBet, kBet}, true);
    edit->SetDirection(2);
    // The first logical line is shown on top although it is listed last.
    const auto at_caret = [&] { return edit->VisualText()[std::size_t(edit->CaretIndex())]; };
    Key(Qt::Key_Home, kCtrl);
    EXPECT_EQ(at_caret(), kAlef);
    Key(Qt::Key_Down);
    EXPECT_EQ(at_caret(), kBet);
    Key(Qt::Key_Up);
    EXPECT_EQ(at_caret(), kAlef);
}

TEST_F(EditTest, SelectionByKeysReplacesAndDeletesAndCtrlZTakesBackEdits) {
    edit->SetEditText(L"hello world", true);
    Key(Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(edit->GetSel(), (std::pair<int, int>{0, 11}));
    Type("x");
    EXPECT_EQ(edit->LogicalText(), L"x");
    edit->SetEditText(L"hello", true);
    edit->SetSel(1, 3);
    Press({{Qt::Key_Backspace, {}, 1, L"hlo"}});
    edit->SetSel(0, -1);
    EXPECT_EQ(edit->GetSel(), (std::pair<int, int>{0, 3}));
    edit->SetSel(-1, 0);
    EXPECT_EQ(edit->GetSel().first, edit->GetSel().second);
    // Backspace at the start deletes nothing; undo puts the caret at the start.
    Press({{Qt::Key_Home},
           {Qt::Key_Delete, {}, 0, L"lo"},
           {Qt::Key_Backspace, {}, 0, L"lo"},
           {Qt::Key_End},
           {Qt::Key_Backspace, {}, 1, L"l"},
           {Qt::Key_Z, kCtrl, 0, L"lo"},
           {Qt::Key_Z, kCtrl, 0, L"hlo"}});
}

TEST_F(EditTest, ClipboardRoundTripsMixedTextInLogicalOrder) {
    const std::wstring mixed = {kShin, kLamed, L' ', L'a', L'b', L' ', L'1', L'2'};
    QClipboard* clipboard = QApplication::clipboard();
    edit->SetDirection(2);
    edit->SetEditText(mixed, true);
    edit->SetSel(0, -1);
    Key(Qt::Key_C, kCtrl);
    EXPECT_EQ(clipboard->text(), QString::fromStdU16String(u"\u05E9\u05DC ab 12"))
        << "real letters, typed order";
    Press({{Qt::Key_X, kCtrl, 0, L""}, {Qt::Key_V, kCtrl}, {Qt::Key_V, kCtrl}});
    EXPECT_EQ(edit->LogicalText(), mixed + mixed);

    // Lines travel with carriage returns; single-line makes them spaces.
    edit->SetEditText(L"a\nb", true);
    edit->SetDirection(1);
    edit->SetSel(0, -1);
    Key(Qt::Key_C, kCtrl);
    EXPECT_EQ(clipboard->text(), QStringLiteral("a\rb"));
    Press({{Qt::Key_V, kCtrl, -1, L"a\nb"}});
    clipboard->setText(QStringLiteral("x\r\ny\u4E00z"));
    edit->SetSingleLine(true);
    edit->SetEditText(L"", true);
    Press({{Qt::Key_V, kCtrl, 3, L"x y"}});  // the text ends at a character without a byte

    // A paste is cut to what still fits.
    const std::wstring full = std::wstring(1022, L'.') + L"12";
    edit->SetEditText(full.substr(0, 1022), true);
    clipboard->setText(QStringLiteral("123"));
    Press({{Qt::Key_End}, {Qt::Key_V, kCtrl, 1024, full.c_str()}});
    clipboard->clear();
    Press({{Qt::Key_V, kCtrl, 1024, full.c_str()}});
}

TEST_F(EditTest, MousePlacesTheCaretByTheHitTestAndSelects) {
    const auto click = [&](QPoint at, Qt::KeyboardModifiers mods = {}) {
        QTest::mouseClick(edit.get(), Qt::LeftButton, mods, at);
    };
    edit->SetEditText(L"abcdef", true);
    click(edit->PosFromChar(3) + QPoint(1, 3));
    EXPECT_EQ(edit->CaretIndex(), 3);
    click(edit->PosFromChar(5) + QPoint(1, 3), Qt::ShiftModifier);
    EXPECT_EQ(edit->GetSel(), (std::pair<int, int>{3, 5}));
    click({-20, -20});
    EXPECT_EQ(edit->CaretIndex(), 0) << "negative coordinates count as 0";
    click({290, 200});
    EXPECT_EQ(edit->CaretIndex(), 6) << "beyond the text: end of the last line";
    QTest::mouseDClick(edit.get(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(edit->GetSel(), (std::pair<int, int>{0, 6}));

    // Right to left: a click in a character puts the caret at its right.
    edit->SetEditText({kShin, kLamed, kVav, kFinalMem}, true);
    edit->SetDirection(2);
    for (int i = 0; i < 4; ++i) {
        click(edit->PosFromChar(i) + QPoint(-2, 3));
        EXPECT_EQ(edit->CaretIndex(), i) << i;
    }
    ASSERT_GT(edit->PosFromChar(0).x(), edit->PosFromChar(3).x()) << "listed from the right end";
}

TEST_F(EditTest, ScrollingKeepsTheCaretOnTheFirstLineShown) {
    std::wstring lines;
    for (int i = 0; i < 30; ++i) lines += L"line\n";
    edit->SetEditText(lines, true);
    Key(Qt::Key_End, kCtrl);
    EXPECT_GT(edit->FirstVisibleLine(), 0) << "the caret is kept in view";
    edit->SetSel(0, 0);
    Key(Qt::Key_Home, kCtrl);
    EXPECT_EQ(edit->FirstVisibleLine(), 0);
}

TEST_F(EditTest, TheCaretShowsOnlyWithTheFocusAndPointsToTheLanguage) {
    QWidget other;
    other.show();
    EXPECT_TRUE(edit->CaretShown());
    // The flag at the caret's top points into the language's reading side.
    auto flagSide = [&] {
        edit->SetEditText(L"    ", true);
        edit->SetSel(2, 2);
        const QImage image = edit->grab().toImage();
        const QPoint at = edit->PosFromChar(2);
        const QColor text = edit->palette().color(QPalette::Text);
        int left = 0, right = 0;
        for (int dx = 2; dx < 4; ++dx) {
            left += image.pixelColor(at.x() - dx, at.y() + 1) == text;
            right += image.pixelColor(at.x() + dx, at.y() + 1) == text;
        }
        return right - left;
    };
    EXPECT_GT(flagSide(), 0) << "English: the flag points right";
    Hebrew();
    EXPECT_LT(flagSide(), 0) << "Hebrew: the flag points left";
    edit->clearFocus();
    EXPECT_FALSE(edit->CaretShown());
}

TEST(DrawVisualText, CountsLinesAndTheLongestAndDrawsNothingForEmptyText) {
    using tarsil::visual::DrawVisualText;
    QImage image(200, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    const QImage blank = image.copy(0, 0, 100, 60);
    QPainter painter(&image);
    int first = -1, longest = -1;
    EXPECT_EQ(DrawVisualText(painter, L"", image.rect(), &first, &longest, 0, true, false), 0);
    EXPECT_EQ(std::pair(first, longest), std::pair(0, 0));
    EXPECT_EQ(DrawVisualText(painter, L"ab\nwxyz\n", image.rect(), &first, &longest,
                             tarsil::visual::kDrawRight, false, true),
              3);
    EXPECT_EQ(std::pair(first, longest), std::pair(1, 4));
    painter.end();
    // Right-aligned: ink near the right edge, none at the far left.
    EXPECT_EQ(image.copy(0, 0, 100, 60), blank);
    EXPECT_NE(image.copy(150, 0, 50, 60), blank.copy(0, 0, 50, 60));
}

}  // namespace
}  // namespace visual_test
