// Completion matching and the dialog "Completion words settings", driven
// with the mouse and keys on the offscreen platform.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <filesystem>

#include "editors/completion/completion_word_dlg.h"
#include "editors/completion/word_list_file.h"
#include "editors/language/input_language.h"
#include "tests/fonts/test_support.h"
#include "tests/module/qt_application.h"

namespace tarsil::editors {
namespace {

const auto* const kQt = ::testing::AddGlobalTestEnvironment(new tarsil::testing::QtApplication);

using Words = std::vector<std::wstring>;
namespace fs = std::filesystem;

class CompletionTest : public ::testing::Test {
  protected:
    void WriteFile(const std::string& name, const std::string& bytes) {
        WriteBytes(dir_ / name, bytes);
    }
    std::string Bytes(const std::string& name) const { return ReadBytes(dir_ / name); }
    // A dialog on the test folder whose drawing holds drawing_words_.
    std::unique_ptr<CCompletionWordDlg> Make() {
        return std::make_unique<CCompletionWordDlg>(CCompletionWordDlg::Sources{
            dir_, [this](const Words&) { return ++collected_, drawing_words_; }});
    }
    static QStringList Rows(const CCompletionWordDlg& dialog) {
        QStringList rows;
        for (int row = 0; row < dialog.WordsList()->rowCount(); ++row) {
            rows << dialog.WordsList()->item(row, 0)->text();
        }
        return rows;
    }
    static void ClickRow(CCompletionWordDlg& dialog, int row) {
        QTableWidget* list = dialog.WordsList();
        const QRect cell = list->visualRect(list->model()->index(row, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    }

    TempFolder folder_;
    const fs::path& dir_ = folder_.path();
    CapturedAlerts alerts_;
    Words drawing_words_ = {L"drawing", L"draft"};
    int collected_ = 0;
};

TEST_F(CompletionTest, SwitchesDecideWhatIsLoadedAtConstruction) {
    WriteFile(kWordListFileName, "dog\r\ndoor");
    for (const std::string ini : {"", "File=OFF\r\nDrawing=ON\r\n", "File=ON\r\nDrawing=OFF\r\n"}) {
        SCOPED_TRACE(ini);
        WriteFile("tarsil.ini", "[Completion]\r\n" + ini);
        const bool file_on = ini.find("File=OFF") == std::string::npos;
        const bool drawing_on = ini.find("Drawing=OFF") == std::string::npos;
        collected_ = 0;
        const auto dialog = Make();
        EXPECT_EQ(dialog->FileSwitch(), file_on);
        EXPECT_EQ(dialog->DrawingSwitch(), drawing_on);
        EXPECT_EQ(dialog->FileWords(), file_on ? (Words{L"dog", L"door"}) : Words{});
        EXPECT_EQ(collected_, drawing_on ? 1 : 0);
        EXPECT_EQ(dialog->DrawingWords(), drawing_on ? drawing_words_ : Words{});
    }
}

TEST_F(CompletionTest, MatchesBeginWithTheTypedWordFromBothListsInOrder) {
    WriteFile(kWordListFileName, "draw\r\nDraw\r\ndr\r\ndraw\r\n\xF9\xEC\xE5\xED\r\n");
    drawing_words_ = {L"drawing", L"draw"};  // "draw" in both lists is offered from both
    const auto dialog = Make();
    QListWidget list;
    list.setSortingEnabled(false);
    auto matches = [&](const std::wstring& typed) {
        list.clear();
        dialog->GetMatches(&list, typed, nullptr);
        QStringList shown;
        for (int i = 0; i < list.count(); ++i) shown << list.item(i)->text();
        return shown;
    };
    EXPECT_EQ(matches(L"dra"), (QStringList{"draw", "draw", "drawing", "draw"}));
    EXPECT_EQ(matches(L"dr"), (QStringList{"draw", "dr", "draw", "drawing", "draw"}));
    EXPECT_EQ(matches(L"drawings"), QStringList{});  // longer than every word
    EXPECT_EQ(matches(L"\u00F9\u00EC"), QStringList{"שלום"});
    EXPECT_EQ(matches(L"").size(), 7);  // the empty word matches all
    int heights = 1;
    EXPECT_EQ(dialog->GetMatches(nullptr, L"d", &heights), 0);
    EXPECT_EQ(heights, 0);
}

TEST_F(CompletionTest, AddDuplicateDeleteAndOkWriteTheFile) {
    WriteFile(kWordListFileName, "one\r\n\xF9\xEC\xE5\xED\r\n");
    auto dialog = Make();
    dialog->SetWordToAdd(L"\u00E0\u00E1");
    dialog->show();
    QLineEdit* edit = dialog->WordToAddEdit();
    EXPECT_EQ(edit->text(), "אב");  // the editor's selection, as the user reads it
    EXPECT_TRUE(dialog->AddButton()->isEnabled());
    EXPECT_FALSE(dialog->DeleteButton()->isEnabled());
    edit->clear();
    EXPECT_FALSE(dialog->AddButton()->isEnabled());

    QTest::keyClicks(edit, "  One ");
    QTest::mouseClick(dialog->AddButton(), Qt::LeftButton);  // differs in case: a new row
    edit->clear();
    InputLanguage::Instance().ActivateLayout(kHebrewLayout);
    QTest::keyClicks(edit, " akuo");  // typed in the Hebrew layout
    InputLanguage::Instance().RestoreDefaults();
    QTest::mouseClick(dialog->AddButton(), Qt::LeftButton);  // already there
    EXPECT_EQ(alerts_.messages, Words{L"Text: שלום already saved."});
    EXPECT_EQ(dialog->WordsList()->currentRow(), 1);
    EXPECT_EQ(Rows(*dialog), (QStringList{"one", "שלום", "One"}));

    ClickRow(*dialog, 0);
    EXPECT_TRUE(dialog->DeleteButton()->isEnabled());
    QTest::mouseClick(dialog->DeleteButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog->DeleteButton()->isEnabled());
    EXPECT_EQ(Rows(*dialog), (QStringList{"שלום", "One"}));

    QTest::keyClick(dialog.get(), Qt::Key_Return);  // OK is the default button
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(Bytes(kWordListFileName), "\xF9\xEC\xE5\xED\r\nOne\r\n");
    EXPECT_EQ(dialog->FileWords(), (Words{L"\u00F9\u00EC\u00E5\u00ED", L"One"}));
    EXPECT_FALSE(fs::exists(dir_ / "tarsil.ini"));  // no switch was clicked
}

TEST_F(CompletionTest, AnUnwritableWordListIsToldAndNothingIsLost) {
    WriteFile(kWordListFileName, "kept\r\n");
    auto dialog = Make();
    dialog->show();
    dialog->WordToAddEdit()->setText("new");
    QTest::mouseClick(dialog->AddButton(), Qt::LeftButton);
    // Something else holds the name now, so the file cannot be replaced.
    fs::remove(dir_ / kWordListFileName);
    fs::create_directory(dir_ / kWordListFileName);
    dialog->accept();
    EXPECT_EQ(alerts_.messages,
              Words{L"Can not open file: " + (dir_ / kWordListFileName).wstring()});
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(Rows(*dialog), (QStringList{"kept", "new"}));
    EXPECT_EQ(dialog->FileWords(), Words{L"kept"});
    fs::remove(dir_ / kWordListFileName);
    dialog->accept();  // the next try writes everything
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(Bytes(kWordListFileName), "kept\r\nnew\r\n");
}

TEST_F(CompletionTest, CancelDropsEverythingOkWritesClickedSwitches) {
    WriteFile(kWordListFileName, "one\r\n");
    auto dialog = Make();
    dialog->show();
    dialog->WordToAddEdit()->setText("two");
    QTest::mouseClick(dialog->AddButton(), Qt::LeftButton);
    QTest::mouseClick(dialog->FileCheck(), Qt::LeftButton);
    QTest::mouseClick(dialog->DrawingCheck(), Qt::LeftButton);
    QTest::keyClick(dialog.get(), Qt::Key_Escape);  // Cancel: nothing written or changed
    EXPECT_FALSE(fs::exists(dir_ / "tarsil.ini"));
    EXPECT_EQ(Bytes(kWordListFileName), "one\r\n");
    EXPECT_TRUE(dialog->FileSwitch());

    dialog->show();  // rows and boxes come back from the lists and switches
    EXPECT_EQ(Rows(*dialog), QStringList{"one"});
    EXPECT_TRUE(dialog->FileCheck()->isChecked());
    QTest::mouseClick(dialog->FileCheck(), Qt::LeftButton);
    QTest::mouseClick(dialog->DrawingCheck(), Qt::LeftButton);
    dialog->accept();
    EXPECT_FALSE(dialog->FileSwitch());
    EXPECT_FALSE(dialog->DrawingSwitch());
    EXPECT_EQ(dialog->FileWords(), Words{});
    EXPECT_EQ(dialog->DrawingWords(), Words{});
    EXPECT_NE(Bytes("tarsil.ini").find("File=OFF\r\nDrawing=OFF"), std::string::npos);

    // With the file switch off the rows still show the file; ticking both
    // again loads the file and collects the drawing anew.
    drawing_words_ = {L"newer"};
    dialog->show();
    EXPECT_EQ(Rows(*dialog), QStringList{"one"});
    QTest::mouseClick(dialog->FileCheck(), Qt::LeftButton);
    QTest::mouseClick(dialog->DrawingCheck(), Qt::LeftButton);
    dialog->accept();
    EXPECT_EQ(dialog->FileWords(), Words{L"one"});
    EXPECT_EQ(dialog->DrawingWords(), Words{L"newer"});
    EXPECT_NE(Bytes("tarsil.ini").find("File=ON\r\nDrawing=ON"), std::string::npos);
}

}  // namespace
}  // namespace tarsil::editors
