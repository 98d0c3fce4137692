// The commands that open the editors in a host with a window: a new text
// (Enter at TSTT's selection prompt) placed in a turned user coordinate
// system; DDEDIT, where the object picked decides
// the editor and its language and the MText editor completes Hebrew words
// only; without the window the commands say so and end.
#include <gmock/gmock.h>

#include <QListWidget>
#include <cmath>

#include "cadhost/editor/ucs.h"
#include "tests/text_dialog/editor_fixture.h"

namespace tarsil {
namespace {

using testing::ControlOf;
using testing::EditOf;
using testing::ReadText;

class NewText : public testing::EditorTest {
  protected:
    void SetUp() override {
        EditorTest::SetUp();
        before_ = Db()->allEntities();
        cadhost::Ucs ucs;
        ucs.angle = M_PI / 2;  // X along the world's Y
        cadhost::setCurrentUcs(ucs);
        cadhost::runCommandLine(L"(setvar \"TEXTSTYLE\" \"HEBNORM\")");
        cadhost::runCommandLine(L"(setvar \"TEXTSIZE\" 4.0)");
    }
    static AcDbDatabase* Db() { return acdbHostApplicationServices()->workingDatabase(); }
    std::vector<AcDbObjectId> Added() const {
        std::vector<AcDbObjectId> added = Db()->allEntities();
        std::erase_if(added, [&](AcDbObjectId id) { return std::ranges::count(before_, id) > 0; });
        return added;
    }
    // Types two lines into the editor of a new text and closes it with OK.
    static void TypeTwoLines(QDialog* dialog) {
        QTextEdit* edit = EditOf(dialog);
        EXPECT_TRUE(edit->toPlainText().isEmpty());
        QTest::keyClicks(edit, QStringLiteral("akuo"));
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClicks(edit, QStringLiteral("tcd"));
        Ok(dialog);
    }
    void ExpectTwoTexts(double rotation) {
        const std::vector<AcDbObjectId> added = Added();
        ASSERT_EQ(added.size(), 2u);
        const auto first = ReadText(added[0]), second = ReadText(added[1]);
        EXPECT_EQ(first.style, L"HEBNORM");
        EXPECT_DOUBLE_EQ(first.height, 4.0);
        EXPECT_EQ(first.horizontal, AcDb::kTextRight);
        EXPECT_NEAR(first.rotation, rotation, 1e-12);
        // The point 10,5 of the turned system is -5,10 of the world.
        EXPECT_TRUE(first.alignment.isEqualTo(AcGePoint3d(-5, 10, 0), 1e-9));
        // The second line two heights further down the text's page.
        EXPECT_TRUE(second.alignment.isEqualTo(
            AcGePoint3d(-5 + 8 * std::sin(rotation), 10 - 8 * std::cos(rotation), 0), 1e-9));
    }

    std::vector<AcDbObjectId> before_;
};

// The module's DTEXT and TEXT start at the point prompt (they reach the
// module where each command without the window says so).
TEST_F(NewText, EnterAtTheSelectionPromptThenAPointAndAnAngle) {
    RunEditor(L"TSTT", {L"", L"10,5", L"30"}, TypeTwoLines);
    EXPECT_THAT(output_, ::testing::HasSubstr(L"Select texts for editing or Enter for NEW: "));
    EXPECT_THAT(output_, ::testing::HasSubstr(L"Specify rotation angle of text <0>:"));
    ExpectTwoTexts(M_PI / 6 + M_PI / 2);
    // Enter at the angle prompt: the angle of the user system alone.
    before_ = Db()->allEntities();
    RunEditor(L"TSTT", {L"", L"10,5", L""}, TypeTwoLines);
    ExpectTwoTexts(M_PI / 2);
}

TEST_F(NewText, CancelledPromptsOpenNoEditor) {
    for (const auto& answers :
         std::vector<std::vector<std::wstring>>{{L"ESC"}, {L"", L"ESC"}, {L"", L"10,5", L"ESC"}}) {
        for (const std::wstring& answer : answers) cadhost::pushInput(answer);
        cadhost::runCommandLine(L"TSTT");
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        EXPECT_TRUE(Added().empty());
    }
}

constexpr int kHebrewButton = 1116;
constexpr int kMTextEdit = 1087;

class Ddedit : public testing::EditorTest {
  protected:
    int Style() const override { return 2; }
    static std::wstring HandleOf(const char* type) {
        return testing::FirstHandleOf(testing::SamplePath(), type);
    }
    // Typed keys with the dialog's Hebrew button down: t c d are alef bet gimel.
    static void TypeHebrew(QDialog* dialog, QWidget* edit, const char* keys) {
        Click(dialog, kHebrewButton);
        edit->setFocus();
        QTest::keyClicks(edit, keys);
    }
};

// No editor for anything else: the sample's lines lie in block
// definitions, its leader is in model space.  The single-line editor opens
// with Hebrew and makes English active again when it closes; the editors
// opened after it choose no language, so 't' is Latin.
TEST_F(Ddedit, ThePickedObjectDecidesTheEditorWhichOpensOnItsText) {
    const struct {
        const char* type;
        const char* title;  // none for no editor
        int edit;
        QString shows;  // a word of the object's text
        QChar t;        // what the key 't' types
    } kinds[] = {
        {"TEXT", "Multy line Text editor", 1107, QStringLiteral("שלום"), QChar(0x05D0)},
        {"MTEXT", "Tarsil MText editor", kMTextEdit, QStringLiteral("חדר"), QLatin1Char('t')},
        {"DIMENSION", "Dimension text editor", 1096, QStringLiteral("מטר"), QLatin1Char('t')},
        {"LEADER", nullptr, 0, {}, {}},
    };
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.type);
        ASSERT_FALSE(HandleOf(kind.type).empty());
        const auto drive = [&](QDialog* dialog) {
            EXPECT_EQ(dialog->windowTitle(), QString::fromLatin1(kind.title));
            auto* edit = ControlOf<QTextEdit>(dialog, kind.edit);
            ASSERT_NE(edit, nullptr);
            EXPECT_TRUE(edit->toPlainText().contains(kind.shows))
                << edit->toPlainText().toStdString();
            edit->moveCursor(QTextCursor::End);
            edit->setFocus();
            QTest::keyClick(edit, Qt::Key_T);
            EXPECT_TRUE(edit->toPlainText().endsWith(kind.t)) << edit->toPlainText().toStdString();
            Cancel(dialog);
        };
        RunEditor(L"DDEDIT", {HandleOf(kind.type), L""}, drive, kind.title != nullptr);
    }
}

// The MText editor offers the word list's words for the Hebrew letters
// before the caret; Latin letters are never completed.  (That the editor
// writes what it shows is the dialog's own test.)
TEST_F(Ddedit, TheMTextEditorCompletesHebrewWordsOnly) {
    CompleteFromWordList("akuo\r\n");
    RunEditor(L"DDEDIT", {HandleOf("MTEXT")}, [&](QDialog* dialog) {
        auto* edit = ControlOf<QTextEdit>(dialog, kMTextEdit);
        auto* list = ControlOf<QListWidget>(dialog, 1098);
        ASSERT_NE(edit, nullptr);
        ASSERT_NE(list, nullptr);
        edit->moveCursor(QTextCursor::End);
        TypeHebrew(dialog, edit, " ak");  // של
        ChooseTheLastOfTwo(edit, list);

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
        // The chosen word and the typed one end the last paragraph.
        EXPECT_TRUE(edit->toPlainText().endsWith(QStringLiteral("\nאבג שלושה שלום")))
            << edit->toPlainText().toStdString();
    });
}

// Without the host's window each command that would open an editor says so
// in one line and ends: nothing is asked before, except what DDEDIT and TSTA
// need to learn what was picked.
TEST_F(Ddedit, WithoutTheWindowEachCommandEndsWithOneLine) {
    cadhost::setHostWindows(nullptr, nullptr);
    for (const std::wstring& line :
         std::vector<std::wstring>{L"TSTT", L"DTEXT", L"TEXT", L"TSTM", L"TSTD", L"DDEDIT 36",
                                   L"DDEDIT " + HandleOf("MTEXT"),
                                   L"DDEDIT " + HandleOf("DIMENSION"), L"DDEDIT 52", L"TSTA 52"}) {
        cadhost::runCommandLine(line);
        const std::wstring command = line.substr(0, line.find(L' '));
        const std::wstring said = command + L" needs the window: run cadhost --gui.\n";
        const std::wstring out = TakeOutput();
        if (command == line) {
            EXPECT_EQ(out, said) << "nothing is asked before";
        } else {
            EXPECT_TRUE(out.ends_with(said)) << ::testing::PrintToString(out);
        }
        EXPECT_FALSE(cadhost::inputPending()) << ::testing::PrintToString(line);
    }
    EXPECT_FALSE(cadhost::lispQueuePending());
}

}  // namespace
}  // namespace tarsil
