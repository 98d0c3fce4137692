// TSTT on the sample with the editor driven by keys and clicks: lines
// edited and split, OK and Cancel; the saved drawing is read back by
// dxftool and decoded by tarsiltext, never by the module.  (Which texts go
// when lines go is the lines' own test.)
#include <cstdlib>

#include "tests/text_dialog/editor_fixture.h"

namespace tarsil {
namespace {

// One application for the whole binary.
const auto* const kQt = ::testing::AddGlobalTestEnvironment(new testing::QtApplication);

using testing::EditOf;
using testing::kAlefBet;
using testing::kShalom;
using testing::ReadText;
using testing::Win;

const std::map<std::string, int> kFontTypeOfStyle = {
    {"HEBNORM", 0}, {"HEB7BIT", 1}, {"HEBBACK", 2},   {"HEB7BACK", 3},
    {"HEBD2W", 4},  {"ROMANS", 5},  {"TXTSTYLE", 255}};

const QString kTypedAlefBet = QStringLiteral("tcd");  // the keys of אבג

class TextEditor : public testing::EditorTest {
  protected:
    void SetUp() override {
        EditorTest::SetUp();
        original_ = testing::ListTexts(testing::SamplePath());
    }
    // The saved drawing's text of a handle, decoded for its style's font.
    std::wstring SavedLogical(const std::map<std::string, testing::ListedText>& saved,
                              const std::string& handle) {
        const auto it = saved.find(handle);
        if (it == saved.end()) return L"<missing>";
        return testing::Decoded(it->second.stored, kFontTypeOfStyle.at(it->second.style));
    }
    // Handles of the saved drawing's texts that the sample does not have.
    std::vector<std::string> NewHandles(const std::map<std::string, testing::ListedText>& saved) {
        std::vector<std::string> added;
        for (const auto& entry : saved)
            if (!original_.contains(entry.first)) added.push_back(entry.first);
        return added;
    }

    std::map<std::string, testing::ListedText> original_;
};

TEST_F(TextEditor, SplittingALineMovesTheLinesBelowDown) {
    Edit({L"36", L"39", L"3C"}, [&](QDialog* dialog) {
        QTextEdit* edit = EditOf(dialog);
        CaretToLine(edit, 0);
        QTextCursor cursor = edit->textCursor();
        cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::MoveAnchor, 2);
        edit->setTextCursor(cursor);
        QTest::keyClick(edit, Qt::Key_Return);
        Ok(dialog);
    });
    EXPECT_NEAR(ReadText(Id(L"39")).position.y, -10.0, 1e-9);
    EXPECT_NEAR(ReadText(Id(L"3C")).position.y, -15.0, 1e-9);
    const auto saved = testing::ListTexts(Save());
    EXPECT_EQ(SavedLogical(saved, "36"), Win(kShalom).substr(0, 2));
    const std::vector<std::string> added = NewHandles(saved);
    ASSERT_EQ(added.size(), 1u);
    EXPECT_EQ(SavedLogical(saved, added[0]), Win(kShalom).substr(2));
    EXPECT_EQ(saved.at(added[0]).style, "HEBNORM");
}

TEST_F(TextEditor, CancelLeavesTheSavedDrawingAsItWasOpened) {
    const std::wstring before = ReadText(Id(L"36")).stored;
    Edit({L"36", L"39", L"3C"}, [&](QDialog* dialog) {
        QTextEdit* edit = EditOf(dialog);
        RetypeLine(edit, 0, kTypedAlefBet);
        CaretToLine(edit, 2, true);
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClicks(edit, kTypedAlefBet);
        CaretToLine(edit, 1);
        QTest::keyClick(edit, Qt::Key_Return);
        EXPECT_NE(ReadText(Id(L"36")).stored, before);
        Cancel(dialog);
    });
    EXPECT_EQ(ReadBytes(Save()), ReadBytes(testing::SamplePath()));
}

TEST_F(TextEditor, CancelWithoutChangesTakesBackNothingElse) {
    // An earlier command's change must survive a Cancel that changed nothing.
    cadhost::pushInput(L"47");
    cadhost::pushInput(L"");
    cadhost::runCommandLine(L"ERASE");
    ASSERT_TRUE(Id(L"47").isNull());
    Edit({L"36"}, [&](QDialog* dialog) { Cancel(dialog); });
    EXPECT_TRUE(Id(L"47").isNull());
}

// OK keeps exactly what was typed: the first line typed anew, the third
// less its last letter, each written as it is typed.  (How each font type
// stores a line is the entity and codec tests' business.)
TEST_F(TextEditor, OkKeepsExactlyTheTypedText) {
    const std::wstring third = ReadText(Id(L"38")).stored;
    Edit({L"36", L"37", L"38"}, [&](QDialog* dialog) {
        QTextEdit* edit = EditOf(dialog);
        ASSERT_EQ(edit->document()->blockCount(), 3);
        RetypeLine(edit, 0, QStringLiteral("jsr 21"));  // חדר then 21 typed with Hebrew on
        CaretToLine(edit, 2, true);
        QTest::keyClick(edit, Qt::Key_Backspace);
        EXPECT_NE(ReadText(Id(L"38")).stored, third) << "written before OK";
        // The picture in the docs (three right-to-left lines), when asked for.
        if (const char* folder = std::getenv("TARSIL_SCREENSHOT_DIR")) {
            EXPECT_TRUE(dialog->grab().save(QString::fromUtf8(folder) + "/text_editor.png"));
        }
        Ok(dialog);
    });
    const auto saved = testing::ListTexts(Save());
    EXPECT_EQ(SavedLogical(saved, "36"), Win(L"\u05D7\u05D3\u05E8 21"));
    EXPECT_EQ(saved.at("37").stored, original_.at("37").stored);
    EXPECT_EQ(SavedLogical(saved, "38"), Win(kAlefBet).substr(0, 2));
}

}  // namespace
}  // namespace tarsil
