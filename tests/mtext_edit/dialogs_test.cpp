// The two dialogs driven with keys and clicks on the sample drawing: live
// writes, fields, OK and Cancel; what OK saved is read back with the tools;
// the commands that open them.
#include <QAbstractButton>
#include <QComboBox>
#include <QTest>
#include <QTextBlock>
#include <optional>

#include "cadhost/editor/windows.h"
#include "editors/dim_dlg/dimension_text_edit_dlg.h"
#include "editors/language/input_language.h"
#include "editors/mtext_dlg/acad_mtext_dlg.h"
#include "editors/richedit/rich_edit_heb.h"
#include "host/commands/tstd/tstd_command.h"
#include "host/commands/tstm/tstm_command.h"
#include "host/mtext_edit/dimension_session.h"
#include "host/mtext_edit/mtext_session.h"
#include "tests/module/qt_application.h"
#include "tests/mtext_edit/independent_decode.h"
#include "tests/mtext_edit/session_fixture.h"
#include "toolkit/control_id/control_id.h"
#include "toolkit/updown/up_down.h"
#include "toolkit/updown/value_edit.h"

namespace tarsil {
namespace {

const auto* const kQt = ::testing::AddGlobalTestEnvironment(new testing::QtApplication);

using editors::CRichEditCtrlHeb;
using editors::InputLanguage;
using testing::Win;

class DialogsTest : public testing::DrawingTest {
  protected:
    void SetUp() override {
        DrawingTest::SetUp();
        InputLanguage::Instance().RestoreDefaults();
        cadhost::setHostWindows(&frame_, &frame_);
    }
    void TearDown() override {
        cadhost::setHostWindows(nullptr, nullptr);
        InputLanguage::Instance().RestoreDefaults();
        testing::DrawingTest::TearDown();
    }
    void ShowActive(QDialog& dialog) {
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }
    // Types Latin keys with the Hebrew layout active (t = alef, c = bet ...).
    static void TypeHebrew(QWidget* edit, const char* keys) {
        edit->setFocus();
        InputLanguage::Instance().ActivateLayout(editors::kHebrewLayout);
        QTest::keyClicks(edit, keys);
    }
    static void Click(QDialog& dialog, int id) {
        auto* button = toolkit::FindControlAs<QAbstractButton>(&dialog, id);
        ASSERT_NE(button, nullptr) << id;
        QTest::mouseClick(button, Qt::LeftButton);
    }
    // A picture for the docs when TARSIL_SCREENSHOT_DIR names a folder.
    static void Picture(QWidget& dialog, const char* name) {
        if (const char* folder = std::getenv("TARSIL_SCREENSHOT_DIR")) {
            EXPECT_TRUE(dialog.grab().save(QString::fromUtf8(folder) + "/" + name));
        }
    }
    TempFolder folder_;
    QWidget frame_;
};

TEST_F(DialogsTest, MTextTypedWordIsWrittenAtOnceAndOkKeepsWhatWasTyped) {
    const AcDbObjectId id = Id(kMText);
    CAcadMTextDlg dialog(&frame_);
    dialog.SetObject(id, {});
    ShowActive(dialog);
    CRichEditCtrlHeb* edit = dialog.Edit();
    ASSERT_EQ(edit->GetLineCount(), 3);
    for (QTextBlock b = edit->document()->begin(); b.isValid(); b = b.next())
        EXPECT_EQ(b.blockFormat().layoutDirection(), Qt::RightToLeft);
    // The codes are in the text but hidden: the first line shows one word.
    const std::wstring first = edit->GetLineText(0);
    long shown = 0;
    for (long i = 0; i < static_cast<long>(first.size()); ++i) shown += !edit->IsHidden(i);
    EXPECT_EQ(shown, 4);

    edit->moveCursor(QTextCursor::End);
    TypeHebrew(edit, " tcd");  // a blank and alef bet gimel at the end of the last line
    // Hebrew Normal keeps the line listed from its left end, in DOS letters.
    const std::wstring typed = L"\u0082\u0081\u0080 \u0082\u0081\u0080";
    EXPECT_TRUE(Contents(id).ends_with(typed)) << "written at once";
    Picture(dialog, "mtext_editor.png");
    Click(dialog, mtext_dlg::kOkId);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(Contents(id).ends_with(typed)) << "kept by OK";
}

// A field refuses a value with its message and shows the old one again
// (which values the session takes is checked there); Cancel then takes back
// the typing and every value.
TEST_F(DialogsTest, MTextFieldsRefuseBadValuesAndCancelTakesEverythingBack) {
    const std::string original = Original();
    const AcDbObjectId id = Id(kMText);
    CAcadMTextDlg dialog(&frame_);
    dialog.SetObject(id, {});
    ShowActive(dialog);
    TypeHebrew(dialog.Edit(), "akuo");
    const struct {
        int field;
        const char* typed;
        const wchar_t* message;
        const char* shown;
    } cases[] = {
        {mtext_dlg::kHeightId, "abc", kHeightRefusedMessage, "2.50"},
        {mtext_dlg::kSpacingId, "4.01", kLineSpacingRefusedMessage, "1.00"},
        {mtext_dlg::kAngleId, "30", nullptr, "30.00"},
    };
    for (const auto& c : cases) {
        alerts.clear();
        auto* field = toolkit::FindControlAs<toolkit::CValueEdit>(&dialog, c.field);
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, c.typed);
        // OK (the default button, Enter) with the focus in a field applies
        // the field and keeps the dialog open.
        dialog.accept();
        EXPECT_TRUE(dialog.isVisible()) << c.typed;
        EXPECT_EQ(alerts,
                  c.message ? std::vector<std::wstring>{c.message} : std::vector<std::wstring>{})
            << c.typed;
        EXPECT_EQ(field->text().toStdString(), c.shown) << c.typed;
    }
    // The up-down steps the height by 0.05, up for the up arrow.
    emit toolkit::FindControlAs<toolkit::CUpDown>(&dialog, mtext_dlg::kHeightSpinId)->DeltaPos(-1);
    toolkit::FindControlAs<QComboBox>(&dialog, mtext_dlg::kAttachmentId)->setCurrentIndex(0);
    const MTextState m = ReadMText(id);
    EXPECT_NEAR(m.rotation, M_PI / 6, 1e-12);
    EXPECT_EQ(m.height, 2.55);
    EXPECT_EQ(m.attachment, AcDbMText::kTopLeft);
    Click(dialog, mtext_dlg::kCancelId);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(Saved(), original);
}

// Hebrew typed below the line, saved and read back with the tools.  (The
// measurement and an empty upper text are the contents tests' business.)
TEST_F(DialogsTest, DimensionTextTypedBelowTheLineIsSaved) {
    CDimensionTextEditDlg dialog(&frame_);
    dialog.SetObject(Id(kDimension));
    ShowActive(dialog);
    EXPECT_EQ(dialog.Upper()->GetWindowText(), Win(L"מטר 5"));
    TypeHebrew(dialog.Lower(), "tcd");
    Picture(dialog, "dimension_editor.png");
    Click(dialog, dim_dlg::kOkId);

    WriteBytes(folder_ / "saved.dxf", Saved());
    const std::string stored =
        testing::ListTexts(folder_ / "saved.dxf", "DIMENSION").at("57").stored;
    const std::size_t below = stored.find("\\X");
    ASSERT_NE(below, std::string::npos) << stored;
    EXPECT_EQ(testing::Decoded(stored.substr(below + 2), 0), Win(L"אבג"));
}

TEST_F(DialogsTest, DimensionCancelLeavesTheDrawingByteIdentical) {
    const std::string original = Original();
    CDimensionTextEditDlg dialog(&frame_);
    dialog.SetObject(Id(kDimension));
    ShowActive(dialog);
    TypeHebrew(dialog.Upper(), "t");
    TypeHebrew(dialog.Lower(), "c");
    toolkit::FindControlAs<QComboBox>(&dialog, dim_dlg::kAttachmentId)->setCurrentIndex(8);
    emit toolkit::FindControlAs<toolkit::CUpDown>(&dialog, dim_dlg::kAngleSpinId)->DeltaPos(0);
    EXPECT_NE(Saved(), original);
    Click(dialog, dim_dlg::kCancelId);
    EXPECT_EQ(Saved(), original);
}

// Neither dialog chooses a language when it opens, so neither button shows
// pushed; closing the MText editor makes English active again, closing the
// dimension editor leaves the language alone.  The buttons give the focus
// back to the edit that had it last (how they show the language is the
// rich edit's test).
TEST_F(DialogsTest, TheLanguageAtStartAndAfterTheEditorCloses) {
    auto pushed = [](QDialog& dialog) {
        std::string shown;
        for (int id : {1116, 1117}) {
            auto* button = toolkit::FindControlAs<QAbstractButton>(&dialog, id);
            shown += button != nullptr && button->isChecked() ? '1' : '0';
        }
        return shown;
    };
    InputLanguage::Instance().ActivateLayout(editors::kHebrewLayout);
    {
        CAcadMTextDlg dialog(&frame_);
        dialog.SetObject(Id(kMText), {});
        ShowActive(dialog);
        EXPECT_EQ(pushed(dialog), "00");
        EXPECT_TRUE(InputLanguage::Instance().HebrewActive()) << "opening changes nothing";
        Click(dialog, mtext_dlg::kCancelId);
    }
    EXPECT_FALSE(InputLanguage::Instance().HebrewActive()) << "the MText editor restores English";

    InputLanguage::Instance().ActivateLayout(editors::kHebrewLayout);
    {
        CDimensionTextEditDlg dialog(&frame_);
        dialog.SetObject(Id(kDimension));
        ShowActive(dialog);
        EXPECT_EQ(pushed(dialog), "00");
        for (CRichEditCtrlHeb* edit : {dialog.Lower(), dialog.Upper()}) {
            edit->setFocus();
            Click(dialog, 1116);
            EXPECT_TRUE(edit->hasFocus());
        }
        Click(dialog, dim_dlg::kCancelId);
    }
    EXPECT_TRUE(InputLanguage::Instance().HebrewActive()) << "the dimension editor leaves it";
}

// TSTM and TSTD up to the editor, replaced here: what the user answers
// decides whether and on what the editor opens (the picked object, the point
// of a new MText, or nothing when a prompt is cancelled).
TEST_F(DialogsTest, TheCommandsAnswersDecideWhetherAndOnWhatTheEditorOpens) {
    std::vector<std::pair<AcDbObjectId, AcGePoint3d>> opened;
    SetMTextEditorOpener([&](AcDbObjectId id, const AcGePoint3d& p) { opened.push_back({id, p}); });
    SetDimensionEditorOpener([&](AcDbObjectId id) { opened.push_back({id, {}}); });
    const AcDbObjectId mtext = Id(kMText), dimension = Id(kDimension);
    const struct {
        void (*run)();
        std::vector<std::wstring> answers;
        std::optional<AcDbObjectId> opened;  // none for no editor, null for a new MText
        const wchar_t* prompt;
    } cases[] = {
        {RunTstm, {kMText}, mtext, L"Select MText or ENTER for new MText:  "},
        {RunTstm, {L"", L"5,6"}, AcDbObjectId(), L"Specify start point of text: "},
        {RunTstm, {L"", L"ESC"}, {}, L"Specify start point of text: "},
        {RunTstm, {L"ESC"}, {}, L"Select MText or ENTER for new MText:  "},
        {RunTstd, {L""}, {}, L"Select Dimension for edit:  "},  // no new dimension
        {RunTstd, {kDimension}, dimension, L"Select Dimension for edit:  "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.answers));
        opened.clear();
        out.clear();
        cadhost::pushInputs(c.answers);
        c.run();
        EXPECT_NE(out.find(c.prompt), std::wstring::npos) << ::testing::PrintToString(out);
        EXPECT_EQ(opened.size(), c.opened ? 1u : 0u);
        if (opened.size() == 1 && c.opened) {
            EXPECT_EQ(opened[0].first, *c.opened);
            if (c.opened->isNull()) {
                EXPECT_TRUE(opened[0].second.isEqualTo(AcGePoint3d(5, 6, 0)));
            }
        }
    }
    SetMTextEditorOpener(nullptr);
    SetDimensionEditorOpener(nullptr);
}

}  // namespace
}  // namespace tarsil
