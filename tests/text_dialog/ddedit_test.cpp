// The module's DDEDIT in a host with a window: the object picked decides
// the editor, and what the editor keeps is in the saved drawing.
#include <QListWidget>

#include "tests/mtext_edit/independent_decode.h"
#include "tests/text_dialog/editor_fixture.h"

namespace tarsil {
namespace {

using testing::ControlOf;
using testing::EditOf;
using testing::Win;

constexpr int kHebrewButton = 1116;

class Ddedit : public testing::EditorTest {
  protected:
    int Style() const override { return 2; }
    // The first entity of the type in model or paper space, as dxftool lists it.
    static std::wstring HandleOf(const std::string& type) {
        std::istringstream lines(
            testing::RunTool(std::string(DXFTOOL) + " list '" + SamplePath() + "'"));
        for (std::string line; std::getline(lines, line);) {
            const std::size_t tab = line.find('\t');
            if (tab != std::string::npos &&
                line.compare(tab + 1, type.size() + 1, type + "\t") == 0)
                return {line.begin(), line.begin() + static_cast<std::ptrdiff_t>(tab)};
        }
        return {};
    }
    static std::string Narrow(const std::wstring& text) { return {text.begin(), text.end()}; }
    static void Click(QDialog* dialog, int id) {
        auto* button = ControlOf<QAbstractButton>(dialog, id);
        ASSERT_NE(button, nullptr) << id;
        QTest::mouseClick(button, Qt::LeftButton);
    }
    // Typed keys with the dialog's Hebrew button down: t c d are alef bet gimel.
    static void TypeHebrew(QDialog* dialog, QWidget* edit, const char* keys) {
        Click(dialog, kHebrewButton);
        edit->setFocus();
        QTest::keyClicks(edit, keys);
    }
    // The stored string's last paragraph, decoded for the font type.
    std::wstring LastParagraph(const std::string& stored, int fontType) {
        const std::size_t cut = stored.rfind("\\P");
        return testing::Decoded(cut == std::string::npos ? stored : stored.substr(cut + 2),
                                fontType, folder_);
    }
};

TEST_F(Ddedit, OnAnMTextOpensTheMTextEditorAndOkKeepsTheChange) {
    const std::wstring handle = HandleOf("MTEXT");
    ASSERT_FALSE(handle.empty());
    const std::string before = testing::ListedString(SamplePath(), Narrow(handle));
    ASSERT_NE(before.find("\\P"), std::string::npos) << before;
    RunEditor(L"DDEDIT", {handle}, [&](QDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Tarsil MText editor"));
        auto* edit = ControlOf<QTextEdit>(dialog, 1087);
        ASSERT_NE(edit, nullptr);
        edit->moveCursor(QTextCursor::End);
        TypeHebrew(dialog, edit, " tcd");
        Click(dialog, 1);
    });
    const std::string saved = testing::ListedString(Save().string(), Narrow(handle));
    EXPECT_NE(saved, before);
    EXPECT_EQ(LastParagraph(saved, 0), LastParagraph(before, 0) + L" " + Win(testing::kAlefBet));
    EXPECT_EQ(saved.substr(0, saved.rfind("\\P")), before.substr(0, before.rfind("\\P")))
        << "only the last paragraph was typed in";
}

TEST_F(Ddedit, OnADimensionOpensItsTextEditorAndCancelKeepsTheDrawing) {
    const std::wstring handle = HandleOf("DIMENSION");
    ASSERT_FALSE(handle.empty());
    const std::string before = testing::ListedString(SamplePath(), Narrow(handle));
    RunEditor(L"DDEDIT", {handle}, [&](QDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Dimension text editor"));
        auto* upper = ControlOf<QTextEdit>(dialog, 1096);
        ASSERT_NE(upper, nullptr);
        EXPECT_FALSE(upper->toPlainText().isEmpty()) << "the dimension's text is loaded";
        TypeHebrew(dialog, upper, "tcd");
        Click(dialog, 2);
    });
    EXPECT_EQ(testing::ListedString(Save().string(), Narrow(handle)), before);
}

TEST_F(Ddedit, OnATextOpensTheSingleLineEditorOnThatText) {
    RunEditor(L"DDEDIT", {L"36"}, [&](QDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Multy line Text editor"));
        QTextEdit* edit = EditOf(dialog);
        ASSERT_EQ(edit->document()->blockCount(), 1);
        EXPECT_EQ(edit->toPlainText().toStdWString(), testing::kShalom);
        // The editor opens with Hebrew: its button shows pushed, keys type letters.
        EXPECT_TRUE(ControlOf<QAbstractButton>(dialog, kHebrewButton)->isChecked());
        EXPECT_FALSE(ControlOf<QAbstractButton>(dialog, kHebrewButton + 1)->isChecked());
        CaretToLine(edit, 0);
        QTest::keyClick(edit, Qt::Key_End, Qt::ShiftModifier);
        QTest::keyClicks(edit, QStringLiteral("tcd"));
        Ok(dialog);
    });
    const auto saved = testing::ListTexts(Save());
    EXPECT_EQ(testing::Decoded(saved.at("36").stored, 0, folder_), Win(testing::kAlefBet));
}

// The MText editor offers the word list's words for the Hebrew letters
// before the caret; Latin letters are never completed.
TEST_F(Ddedit, TheMTextEditorCompletesHebrewWordsOnly) {
    // שלום and שלושה, one byte per letter as the drawing keeps them.
    WriteBytes(folder_ / "words.ini", "\xF9\xEC\xE5\xED\r\n\xF9\xEC\xE5\xF9\xE4\r\nakuo\r\n");
    WriteBytes(folder_ / "tarsil.ini",
               "[General]\r\nDdeditStyle=2\r\n[Completion]\r\nFile=ON\r\nDrawing=OFF\r\n");
    const std::wstring handle = HandleOf("MTEXT");
    const std::string before = testing::ListedString(SamplePath(), Narrow(handle));
    RunEditor(L"DDEDIT", {handle}, [&](QDialog* dialog) {
        auto* edit = ControlOf<QTextEdit>(dialog, 1087);
        auto* list = ControlOf<QListWidget>(dialog, 1098);
        ASSERT_NE(edit, nullptr);
        ASSERT_NE(list, nullptr);
        const int paragraphs = edit->document()->blockCount();
        edit->moveCursor(QTextCursor::End);
        TypeHebrew(dialog, edit, " ak");  // של
        ASSERT_TRUE(list->isVisible());
        ASSERT_EQ(list->count(), 2);
        EXPECT_EQ(list->currentRow(), 0);
        QTest::keyClick(edit, Qt::Key_Down);
        QTest::keyClick(edit, Qt::Key_Down);  // stays at the last
        QTest::keyClick(edit, Qt::Key_Return);
        EXPECT_FALSE(list->isVisible());
        EXPECT_EQ(edit->document()->blockCount(), paragraphs) << "Enter went to the list";

        Click(dialog, kHebrewButton + 1);
        QTest::keyClicks(edit, QStringLiteral(" ak"));  // Latin, though words.ini has "akuo"
        EXPECT_FALSE(list->isVisible());
        for (int i = 0; i < 3; ++i) QTest::keyClick(edit, Qt::Key_Backspace);
        TypeHebrew(dialog, edit, " akuo");  // שלום
        ASSERT_TRUE(list->isVisible());
        EXPECT_EQ(list->count(), 1);
        QTest::keyClick(edit, Qt::Key_Escape);
        EXPECT_FALSE(list->isVisible());
        EXPECT_TRUE(dialog->isVisible()) << "Esc went to the list";
        Click(dialog, 1);
    });
    const std::string saved = testing::ListedString(Save().string(), Narrow(handle));
    EXPECT_EQ(LastParagraph(saved, 0), LastParagraph(before, 0) + L" " +
                                           Win(L"\u05E9\u05DC\u05D5\u05E9\u05D4") + L" " +
                                           Win(testing::kShalom));
}

// The single-line editor makes English active again when it closes; the
// MText editor opened next chooses no language, so its keys type Latin.
TEST_F(Ddedit, AfterTheSingleLineEditorTheNextEditorTypesLatin) {
    RunEditor(L"DDEDIT", {L"36"}, [&](QDialog* dialog) {
        QTest::keyClicks(EditOf(dialog), QStringLiteral("t"));
        EXPECT_TRUE(EditOf(dialog)->toPlainText().contains(QChar(0x05D0)));
        Cancel(dialog);
    });
    RunEditor(L"DDEDIT", {HandleOf("MTEXT")}, [&](QDialog* dialog) {
        auto* edit = ControlOf<QTextEdit>(dialog, 1087);
        ASSERT_NE(edit, nullptr);
        edit->moveCursor(QTextCursor::End);
        edit->setFocus();
        QTest::keyClicks(edit, QStringLiteral("t"));
        EXPECT_TRUE(edit->toPlainText().endsWith(QLatin1Char('t')))
            << edit->toPlainText().toStdString();
        Click(dialog, 2);
    });
}

TEST_F(Ddedit, OnAnythingElseOpensNoEditor) {
    // The sample's lines lie in block definitions; its leader is in model space.
    const std::wstring leader = testing::FirstHandleOf(SamplePath(), "LEADER");
    ASSERT_FALSE(leader.empty());
    cadhost::pushInputs({leader, L""});
    bool opened = false;
    QTimer::singleShot(0, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            opened = true;
            modal->close();
        }
    });
    cadhost::runCommandLine(L"DDEDIT");
    QApplication::processEvents();
    EXPECT_FALSE(opened);
    cadhost::clearInput();
}

}  // namespace
}  // namespace tarsil
