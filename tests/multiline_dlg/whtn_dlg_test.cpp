// The multi-line text editor in process: how it opens on Hebrew and on
// Latin rows, ending a cell's edit, the buttons and the cell's keys, a point
// picked and Cancel, the fields of the selected rows, the rows it adds and
// removes.
#include "editors/multiline_dlg/whtn_dlg.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <cstdlib>
#include <functional>
#include <memory>

#include "cadhost/editor/input.h"
#include "editors/language/input_language.h"
#include "editors/multiline_dlg/whtn_dlg_ids.h"
#include "editors/visual_edit/ug_multi_edit.h"
#include "host/entity_ops/create_in_space.h"
#include "host/entity_ops/multi_text.h"
#include "tests/fonts/test_support.h"
#include "tests/module/qt_application.h"
#include "tests/text_lines/sample_fixture.h"
#include "toolkit/control_id/control_id.h"
#include "toolkit/grid/grid.h"
#include "toolkit/image_button/image_check_button.h"
#include "toolkit/status_bar/pane_status_bar.h"

namespace multiline_test {
namespace {

namespace ml = tarsil::editors::multiline;
using tarsil::toolkit::CImageCheckButton;
using tarsil::toolkit::FindControlAs;

// The block reference of the sample whose attributes read "חדר שינה" (NAME)
// and "חדר 12" (NUMBER), style HEBNORM.
inline constexpr wchar_t kRoomTag[] = L"52";

class DialogTest : public tarsil::testing::SampleTest {
  protected:
    void SetUp() override {
        SampleTest::SetUp();
        language.RestoreDefaults();
    }
    void TearDown() override {
        dialog.reset();
        rows.reset();
        language.RestoreDefaults();
        SampleTest::TearDown();
    }

    // The collection of the block reference's attributes, and the dialog on it.
    void OpenOnAttributes() {
        rows = std::make_unique<tarsil::MultiText>(true);
        ASSERT_TRUE(rows->LoadAttributes(Id(kRoomTag)));
        Show(true);
    }
    // The collection of texts, and the dialog on it outside attribute mode.
    void OpenOnTexts(const std::vector<AcDbObjectId>& texts) {
        rows = std::make_unique<tarsil::MultiText>(false);
        for (AcDbObjectId id : texts) ASSERT_TRUE(rows->AddText(id));
        Show(false);
    }
    void Show(bool attributeMode) {
        dialog = std::make_unique<tarsil::CWhtnDlg>(nullptr, attributeMode);
        dialog->show();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    }

    tarsil::toolkit::Grid* Grid() const { return dialog->GridControl(); }
    CImageCheckButton* Button(int id) const {
        return FindControlAs<CImageCheckButton>(dialog.get(), id);
    }
    QLineEdit* Field(int id) const { return FindControlAs<QLineEdit>(dialog.get(), id); }
    // Types over a field's text, as the user does after selecting it.
    void Type(int id, const char* keys) const {
        Field(id)->setFocus();
        Field(id)->selectAll();
        QTest::keyClicks(Field(id), keys);
    }
    void Click(int id) const {
        QWidget* control = tarsil::toolkit::FindControl(dialog.get(), id);
        ASSERT_NE(control, nullptr) << "no control " << id;
        QTest::mouseClick(control, Qt::LeftButton);
    }
    // Opens the cell's in-place editor; null when it did not open.
    tarsil::CUGMultiEdit* EditCell(int row) const {
        if (!Grid()->EditCell(row, 0)) return nullptr;
        return dialog->EditingControl();
    }
    // Which of the language, direction and alignment buttons are pressed.
    std::vector<int> Pressed() const {
        std::vector<int> pressed;
        for (int id : {ml::kHebrew, ml::kEnglish, ml::kLeftToRight, ml::kRightToLeft,
                       ml::kAlignLeft, ml::kAlignCenter, ml::kAlignRight, ml::kUnaligned})
            if (Button(id)->IsPressed()) pressed.push_back(id);
        return pressed;
    }
    std::pair<QString, QString> Status() const {
        dialog->RunIdle();
        return {dialog->StatusBar()->PaneText(0), dialog->StatusBar()->PaneText(1)};
    }
    // A text in model space (Windows-layout logical text stored as is: no
    // style, so no Hebrew font).
    static AcDbObjectId AddText(const std::wstring& text, AcGePoint3d at, double height) {
        tarsil::CTextProperties record;
        record.position = at;
        record.height = height;
        EXPECT_TRUE(tarsil::CreateTextInCurrentSpace(record, text));
        return record.objectId;
    }

    tarsil::editors::InputLanguage& language = tarsil::editors::InputLanguage::Instance();
    std::unique_ptr<tarsil::MultiText> rows;
    std::unique_ptr<tarsil::CWhtnDlg> dialog;
};

const auto* const kQt = ::testing::AddGlobalTestEnvironment(new tarsil::testing::QtApplication);

using tarsil::testing::kRoom12;
using tarsil::testing::Win;
const std::wstring kBedroom = L"\u05D7\u05D3\u05E8 \u05E9\u05D9\u05E0\u05D4";  // חדר שינה

TEST_F(DialogTest, HebrewAttributesOpenRightToLeftWithTheirTagsInAGreyColumn) {
    OpenOnAttributes();
    ASSERT_EQ(Grid()->RowCount(), 2);
    ASSERT_EQ(Grid()->ColumnCount(), 2);
    EXPECT_EQ(Grid()->Text(0, 0).toStdWString(), kBedroom);
    EXPECT_EQ(Grid()->Text(1, 0).toStdWString(), kRoom12);
    EXPECT_EQ(Grid()->Text(0, 1), QStringLiteral("NAME"));
    EXPECT_EQ(Grid()->Text(1, 1), QStringLiteral("NUMBER"));
    EXPECT_FALSE(Grid()->EditCell(1, 1)) << "tags are not edited";
    EXPECT_EQ(Grid()->Cell(0, 1).background, dialog->palette().color(QPalette::Button));
    EXPECT_TRUE(Grid()->Cell(0, 0).rightToLeft);
    EXPECT_TRUE(Grid()->Cell(1, 0).alignment & Qt::AlignRight);

    EXPECT_EQ(Pressed(), (std::vector<int>{ml::kHebrew, ml::kRightToLeft, ml::kUnaligned}));
    EXPECT_EQ(Status(), (std::pair<QString, QString>{"Hebrew", "Right to left"}));
    EXPECT_EQ(static_cast<int>(language.CurrentLayout()), 0x040D);
    EXPECT_EQ(Grid()->SelectedRows(), std::vector<int>{0});
    EXPECT_EQ(FindControlAs<QComboBox>(dialog.get(), ml::kStyleList)->currentText(),
              QStringLiteral("HEBNORM"));
    EXPECT_EQ(Field(ml::kSize)->text(), QStringLiteral("2.0000"));
    EXPECT_FALSE(Field(ml::kDistance)->isEnabled());

    if (const char* dir = std::getenv("TARSIL_SCREENSHOT_DIR"))
        dialog->grab().save(QString::fromLocal8Bit(dir) + "/multiline_editor.png");
}

// The cell's control opens on the row's text in the row's direction.  Enter
// ends the edit and writes the logical text to the attribute, Escape drops
// what was typed, OK while a cell is being edited keeps it.
TEST_F(DialogTest, EnterWritesTheRowEscapeDropsTheEditAndOkKeepsIt) {
    OpenOnAttributes();
    tarsil::CUGMultiEdit* edit = EditCell(1);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->Text().toStdWString(), kRoom12);
    EXPECT_EQ(edit->Direction(), 1);
    const std::wstring typed{0xE0, 0xE1};  // "tc" under the Hebrew layout
    const struct {
        const char* what;
        int row;
        std::function<void(QWidget*)> end;
        std::wstring written;
    } cases[] = {
        {"Enter", 0, [](QWidget* e) { QTest::keyClick(e, Qt::Key_Return); }, typed},
        {"Escape", 1, [](QWidget* e) { QTest::keyClick(e, Qt::Key_Escape); }, Win(kRoom12)},
        {"OK", 1, [this](QWidget*) { dialog->accept(); }, typed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        edit = EditCell(c.row);
        ASSERT_NE(edit, nullptr);
        edit->SetEditText(L"", true);
        QTest::keyClicks(edit, "tc");
        c.end(edit);
        EXPECT_EQ(dialog->EditingControl(), nullptr) << "the edit is over";
        EXPECT_EQ((*rows)[c.row]->GetText(), c.written);
    }
}

// Latin rows open in English, left to right, whatever layout was in force;
// it comes back when the dialog is gone.  Each step, a click on a button or
// a key the edited cell tells the dialog about, leaves one button of each
// pair and of the alignment group pressed, and the status bar, the rows and
// the cell agree with them.
TEST_F(DialogTest, ButtonsAndTheCellsKeysKeepOneOfEachGroupPressedAndTheCellFollows) {
    language.ActivateLayout(tarsil::editors::kHebrewLayout);
    OpenOnTexts({AddText(L"one", {0, 0, 0}, 2.0), AddText(L"two", {0, -4, 0}, 2.0)});
    EXPECT_EQ(Grid()->ColumnCount(), 1);
    tarsil::CUGMultiEdit* edit = EditCell(0);
    ASSERT_NE(edit, nullptr);
    const auto click = [this](int id) { return [this, id] { Click(id); }; };
    // A modifier key with its scan code (42 left Shift, 54 right, 29 left Ctrl).
    const auto side = [&](Qt::Key key, quint32 scan, Qt::KeyboardModifiers mods) {
        return [=] {
            QKeyEvent press(QEvent::KeyPress, key, mods, scan, 0, 0);
            QApplication::sendEvent(edit, &press);
        };
    };
    const auto ctrl_shift = Qt::ControlModifier | Qt::ShiftModifier;
    const auto alt_shift = Qt::AltModifier | Qt::ShiftModifier;
    const struct {
        const char* what;
        std::function<void()> act;
        bool hebrew, rightToLeft;
        int alignment;
    } steps[] = {
        {"opened", [] {}, false, false, ml::kUnaligned},
        {"right to left button", click(ml::kRightToLeft), true, true, ml::kUnaligned},
        {"English button", click(ml::kEnglish), false, true, ml::kUnaligned},
        {"Ctrl with the left Ctrl", side(Qt::Key_Control, 29, ctrl_shift), false, false,
         ml::kUnaligned},
        {"Ctrl with the right Shift", side(Qt::Key_Shift, 54, ctrl_shift), true, true,
         ml::kUnaligned},
        {"Alt+Shift: the language only", side(Qt::Key_Shift, 42, alt_shift), false, true,
         ml::kUnaligned},
        {"Hebrew button", click(ml::kHebrew), true, true, ml::kUnaligned},
        {"center alignment", click(ml::kAlignCenter), true, true, ml::kAlignCenter},
        {"right alignment", click(ml::kAlignRight), true, true, ml::kAlignRight},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        EXPECT_EQ(Status(), (std::pair<QString, QString>{
                                step.hebrew ? "Hebrew" : "English",
                                step.rightToLeft ? "Right to left" : "Left to right"}));
        EXPECT_EQ(Pressed(),
                  (std::vector<int>{step.hebrew ? ml::kHebrew : ml::kEnglish,
                                    step.rightToLeft ? ml::kRightToLeft : ml::kLeftToRight,
                                    step.alignment}));
        EXPECT_EQ(static_cast<int>(language.CurrentLayout()), step.hebrew ? 0x040D : 0x0409);
        EXPECT_EQ(Grid()->Cell(1, 0).rightToLeft, step.rightToLeft) << "the rows follow";
        ASSERT_EQ(dialog->EditingControl(), edit) << "the cell is still being edited";
        EXPECT_EQ(edit->InputLanguage(), step.hebrew ? 0x040D : 0x0409);
        EXPECT_EQ(edit->Direction(), step.rightToLeft ? 1 : 0);
    }
    EXPECT_TRUE(edit->hasFocus());
    language.ActivateLayout(tarsil::editors::kEnglishLayout);
    dialog->reject();
    dialog.reset();
    EXPECT_EQ(static_cast<int>(language.CurrentLayout()), 0x040D);
}

// The insertion point is picked on the host's command line while the dialog
// steps aside; Cancel gives back the drawing as it was opened.
TEST_F(DialogTest, APointIsPickedOnTheCommandLineAndCancelTakesEverythingBack) {
    OpenOnAttributes();
    const AcDbObjectId name = Id(L"54");
    const tarsil::testing::TextState before = tarsil::testing::ReadText(name);
    cadhost::pushInput(L"100,100");
    Click(ml::kInsertionPoint);  // of the row selected, the first
    EXPECT_NEAR(tarsil::testing::ReadText(name).position.x, 100.0, 1e-9) << "the point was taken";
    EXPECT_TRUE(dialog->isEnabled() && dialog->windowOpacity() == 1.0) << "the dialog is back";
    Click(ml::kCancel);
    EXPECT_TRUE(tarsil::testing::ReadText(name).position.isEqualTo(before.position));
    tarsil::TempFolder folder;
    cadhost::runCommandLine(L"SAVEAS " + (folder / "saved.dxf").wstring());
    EXPECT_TRUE(tarsil::ReadBytes(folder / "saved.dxf") == tarsil::ReadBytes(SamplePath()))
        << "the drawing as it was opened";
}

TEST_F(DialogTest, RowsOfDifferentHeightsLeaveTheSizeEmptyAndTypingSetsThemAll) {
    const AcDbObjectId small = AddText(L"small", {0, 0, 0}, 2.0);
    const AcDbObjectId large = AddText(L"large", {0, -5, 0}, 3.0);
    OpenOnTexts({small, large});
    EXPECT_EQ(Field(ml::kSize)->text(), QStringLiteral("2.0000"));
    Grid()->selectAll();
    EXPECT_EQ(Field(ml::kSize)->text(), QString()) << "the rows disagree";
    EXPECT_TRUE(Field(ml::kSize)->isEnabled());
    Type(ml::kSize, "4.5");
    EXPECT_DOUBLE_EQ(tarsil::testing::ReadText(small).height, 4.5);
    EXPECT_DOUBLE_EQ(tarsil::testing::ReadText(large).height, 4.5);
    Type(ml::kAngle, "90");
    EXPECT_NEAR(tarsil::testing::ReadText(large).rotation, M_PI / 2, 1e-12) << "degrees";
    // A cell being edited disables the fields.
    ASSERT_NE(EditCell(0), nullptr);
    QCoreApplication::processEvents();
    EXPECT_FALSE(Field(ml::kSize)->isEnabled());
}

// How the rows are spread and spaced is the collection's business; here,
// that the field shows it and passes the user's distance on.
TEST_F(DialogTest, DistanceIsEditableOnlyWhileVerticalAlignmentIsPressed) {
    const AcDbObjectId a = AddText(L"a", {0, 0, 0}, 2.0);
    const AcDbObjectId b = AddText(L"b", {0, -3, 0}, 2.0);
    const AcDbObjectId c = AddText(L"c", {0, -10, 0}, 2.0);
    OpenOnTexts({a, b, c});
    EXPECT_FALSE(Field(ml::kDistance)->isEnabled());
    Click(ml::kVerticalAlignment);
    ASSERT_TRUE(Field(ml::kDistance)->isEnabled());
    // Twelve units from the top's top to the bottom's bottom, three rows of
    // height 2: two gaps of 3.
    EXPECT_EQ(Field(ml::kDistance)->text(), QStringLiteral("3.0000"));
    Type(ml::kDistance, "2");
    EXPECT_NEAR(tarsil::testing::ReadText(c).position.y, -8.0, 1e-9);
    Click(ml::kVerticalAlignment);
    EXPECT_FALSE(Field(ml::kDistance)->isEnabled());
    EXPECT_NEAR(tarsil::testing::ReadText(b).position.y, -3.0, 1e-9) << "back where it was";
}

// Outside attribute mode the block grows as it is typed (where a new row
// lands is the collection's business): Enter on the last row adds one in
// the rows' direction, typing into it opens the next, and a row left empty
// leaves nothing in the drawing.
TEST_F(DialogTest, EnterOnTheLastRowAddsOneAndRowsLeftEmptyGo) {
    OpenOnTexts({AddText({0xF9, 0xEC, 0xE5, 0xED}, {60, 20, 0}, 2.0)});
    tarsil::CUGMultiEdit* edit = EditCell(0);
    ASSERT_NE(edit, nullptr);
    QTest::keyClick(edit, Qt::Key_Return);
    QCoreApplication::processEvents();
    ASSERT_EQ(Grid()->RowCount(), 2) << "a row was added below the only one";
    ASSERT_EQ(rows->RowCount(), 2);
    EXPECT_EQ(Grid()->CurrentRow(), 1);
    EXPECT_TRUE(Grid()->Cell(1, 0).rightToLeft);
    const AcDbObjectId added = (*rows)[1]->ObjectId();
    edit = EditCell(1);
    ASSERT_NE(edit, nullptr);
    QTest::keyClicks(edit, "tcd");
    QTest::keyClick(edit, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ((*rows)[1]->GetText(), (std::wstring{0xE0, 0xE1, 0xE2}));
    ASSERT_EQ(rows->RowCount(), 3) << "typing into the new row opened the next";
    const AcDbObjectId unused = (*rows)[2]->ObjectId();
    dialog->accept();
    dialog.reset();
    EXPECT_TRUE(tarsil::testing::ReadText(unused).erased) << "the row never typed into is gone";
    EXPECT_FALSE(tarsil::testing::ReadText(added).erased);
}

}  // namespace
}  // namespace multiline_test
