// The multi-line text editor in process: how it opens on Hebrew and on
// Latin rows, typing in a cell, the notices of the cell's control reaching
// the buttons, the fields of the selected rows, the rows it adds and removes.
#include "editors/multiline_dlg/whtn_dlg.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>
#include <cstdlib>
#include <memory>

#include "editors/language/input_language.h"
#include "editors/multiline_dlg/whtn_dlg_ids.h"
#include "editors/visual_edit/ug_multi_edit.h"
#include "host/entity_ops/create_in_space.h"
#include "host/entity_ops/multi_text.h"
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
    // Which of the buttons are pressed, by id.
    std::vector<int> Pressed(std::initializer_list<int> ids) const {
        std::vector<int> pressed;
        for (int id : ids)
            if (Button(id)->IsPressed()) pressed.push_back(id);
        return pressed;
    }
    std::pair<QString, QString> Status() const {
        dialog->RunIdle();
        return {dialog->StatusBar()->PaneText(0), dialog->StatusBar()->PaneText(1)};
    }
    // A text in model space (Windows-layout logical text stored as is: no
    // style, so no Hebrew font); justification 2 is Right.
    static AcDbObjectId AddText(const std::wstring& text, AcGePoint3d at, double height,
                                int justification = 0) {
        tarsil::CTextProperties record;
        record.position = at;
        record.height = height;
        record.justification = justification;
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
    EXPECT_FALSE(Grid()->Cell(0, 1).editable);
    EXPECT_FALSE(Grid()->EditCell(1, 1)) << "tags are not edited";
    EXPECT_EQ(Grid()->Cell(0, 1).background, dialog->palette().color(QPalette::Button));
    EXPECT_TRUE(Grid()->Cell(0, 0).rightToLeft);
    EXPECT_TRUE(Grid()->Cell(1, 0).alignment & Qt::AlignRight);

    EXPECT_EQ(Pressed({ml::kHebrew, ml::kEnglish, ml::kLeftToRight, ml::kRightToLeft}),
              (std::vector<int>{ml::kHebrew, ml::kRightToLeft}));
    EXPECT_EQ(Pressed({ml::kAlignLeft, ml::kAlignCenter, ml::kAlignRight, ml::kUnaligned}),
              (std::vector<int>{ml::kUnaligned}));
    EXPECT_EQ(Status(), (std::pair<QString, QString>{"Hebrew", "Right to left"}));
    EXPECT_EQ(static_cast<int>(language.CurrentLayout()), 0x040D);
    EXPECT_EQ(Grid()->RowHeight(0),
              tarsil::CWhtnDlg::RowHeightFor(QFontInfo(dialog->font()).pixelSize()));
    EXPECT_EQ(Grid()->SelectedRows(), std::vector<int>{0});
    EXPECT_EQ(FindControlAs<QComboBox>(dialog.get(), ml::kStyleList)->currentText(),
              QStringLiteral("HEBNORM"));
    EXPECT_EQ(Field(ml::kSize)->text(), QStringLiteral("2.0000"));
    EXPECT_FALSE(Field(ml::kDistance)->isEnabled());

    if (const char* dir = std::getenv("TARSIL_SCREENSHOT_DIR"))
        dialog->grab().save(QString::fromLocal8Bit(dir) + "/multiline_editor.png");
}

// The direction buttons set the edited cell's direction (how the control
// shows and reorders what is typed is its own tests' business); Enter ends
// the edit and writes the logical text to the attribute.
TEST_F(DialogTest, TheDirectionButtonsReachTheCellAndEnterWritesTheRow) {
    OpenOnAttributes();
    for (const auto& [button, direction] :
         {std::pair{ml::kLeftToRight, 0}, {ml::kRightToLeft, 1}}) {
        Click(button);
        tarsil::CUGMultiEdit* edit = EditCell(0);
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->Direction(), direction);
        edit->SetEditText(L"", true);
        language.ActivateLayout(0x040D);
        QTest::keyClicks(edit, "tc 3");
        language.ActivateLayout(0x0409);
        QTest::keyClicks(edit, " x");
        QTest::keyClick(edit, Qt::Key_Return);
        EXPECT_EQ(dialog->EditingControl(), nullptr) << "Enter ends the edit";
        EXPECT_EQ((*rows)[0]->GetText(), (std::wstring{0xE0, 0xE1, L' ', L'3', L' ', L'x'}));
    }
}

// The cell's control opens on the row's text in the row's direction;
// Escape drops what was typed there, OK keeps it.
TEST_F(DialogTest, EscapeInTheCellDropsTheEditAndOkKeepsIt) {
    OpenOnAttributes();
    tarsil::CUGMultiEdit* edit = EditCell(1);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->Text().toStdWString(), kRoom12);
    EXPECT_EQ(edit->Direction(), 1);
    QTest::keyClicks(edit, "tc");
    EXPECT_NE(edit->LogicalText(), Win(kRoom12));
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(dialog->EditingControl(), nullptr);
    EXPECT_EQ((*rows)[1]->GetText(), Win(kRoom12));
    // OK while a cell is being edited keeps what was typed there.
    edit = EditCell(1);
    ASSERT_NE(edit, nullptr);
    edit->SetEditText(L"", true);
    QTest::keyClicks(edit, "tc");
    dialog->accept();
    EXPECT_EQ((*rows)[1]->GetText(), (std::wstring{0xE0, 0xE1}));
}

// Ctrl with a side's Shift, and Alt+Shift, inside the cell: the control
// tells the dialog, whose buttons and status bar follow.
TEST_F(DialogTest, TheCellsNoticesPressTheDialogsButtons) {
    OpenOnTexts({AddText(L"left", {0, 0, 0}, 2.0)});
    tarsil::CUGMultiEdit* edit = EditCell(0);
    ASSERT_NE(edit, nullptr);
    const auto side = [&](Qt::Key key, quint32 scan, Qt::KeyboardModifiers mods) {
        QKeyEvent press(QEvent::KeyPress, key, mods, scan, 0, 0);
        QApplication::sendEvent(edit, &press);
    };
    side(Qt::Key_Shift, 54, Qt::ControlModifier | Qt::ShiftModifier);  // right Shift
    EXPECT_EQ(Status(), (std::pair<QString, QString>{"Hebrew", "Right to left"}));
    EXPECT_EQ(Pressed({ml::kHebrew, ml::kEnglish, ml::kLeftToRight, ml::kRightToLeft}),
              (std::vector<int>{ml::kHebrew, ml::kRightToLeft}));
    EXPECT_TRUE(Grid()->Cell(0, 0).rightToLeft) << "the rows are drawn right to left";
    EXPECT_EQ(dialog->EditingControl(), edit) << "the cell is still being edited";

    side(Qt::Key_Shift, 42, Qt::AltModifier | Qt::ShiftModifier);  // Alt+Shift: language only
    EXPECT_EQ(Status(), (std::pair<QString, QString>{"English", "Right to left"}));
    EXPECT_EQ(Pressed({ml::kHebrew, ml::kEnglish}), std::vector<int>{ml::kEnglish});

    side(Qt::Key_Control, 29, Qt::ControlModifier | Qt::ShiftModifier);  // left Ctrl
    EXPECT_EQ(Status(), (std::pair<QString, QString>{"English", "Left to right"}));
    EXPECT_EQ(edit->Direction(), 0);
}

// Latin rows open in English, left to right.  Each pair of buttons and the
// alignment group keep exactly one pressed; the language button takes the
// layout into the edited cell.
TEST_F(DialogTest, LatinRowsOpenInEnglishAndTheButtonsKeepOnePressed) {
    language.ActivateLayout(tarsil::editors::kHebrewLayout);
    OpenOnTexts({AddText(L"one", {0, 0, 0}, 2.0), AddText(L"two", {0, -4, 0}, 2.0)});
    EXPECT_EQ(Grid()->ColumnCount(), 1);
    EXPECT_EQ(Status(), (std::pair<QString, QString>{"English", "Left to right"}));
    EXPECT_EQ(static_cast<int>(language.CurrentLayout()), 0x0409);
    Click(ml::kRightToLeft);
    EXPECT_EQ(Status().second, QStringLiteral("Right to left"));
    EXPECT_EQ(static_cast<int>(language.CurrentLayout()), 0x040D);
    EXPECT_TRUE(Grid()->Cell(1, 0).rightToLeft);
    Click(ml::kEnglish);
    Status();
    EXPECT_EQ(Pressed({ml::kHebrew, ml::kEnglish}), std::vector<int>{ml::kEnglish});
    tarsil::CUGMultiEdit* edit = EditCell(0);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->InputLanguage(), 0x0409);
    EXPECT_EQ(edit->Direction(), 1);
    Click(ml::kHebrew);
    EXPECT_EQ(edit->InputLanguage(), 0x040D) << "the edited cell takes the layout";
    EXPECT_TRUE(edit->hasFocus());
    Click(ml::kAlignCenter);
    Click(ml::kAlignRight);
    Status();
    EXPECT_EQ(dialog->Alignment(), 2);
    EXPECT_EQ(Pressed({ml::kAlignLeft, ml::kAlignCenter, ml::kAlignRight, ml::kUnaligned}),
              std::vector<int>{ml::kAlignRight});
    // The layout in force before the dialog comes back when it is gone.
    language.ActivateLayout(tarsil::editors::kEnglishLayout);
    dialog->reject();
    dialog.reset();
    EXPECT_EQ(static_cast<int>(language.CurrentLayout()), 0x040D);
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
    EXPECT_NEAR(tarsil::testing::ReadText(b).position.y, -5.0, 1e-9) << "spread evenly";
    Type(ml::kDistance, "2");
    EXPECT_NEAR(tarsil::testing::ReadText(b).position.y, -4.0, 1e-9);
    EXPECT_NEAR(tarsil::testing::ReadText(c).position.y, -8.0, 1e-9);
    Click(ml::kVerticalAlignment);
    EXPECT_FALSE(Field(ml::kDistance)->isEnabled());
    EXPECT_NEAR(tarsil::testing::ReadText(b).position.y, -3.0, 1e-9) << "back where it was";
}

// Outside attribute mode the block grows as it is typed: a row added below
// a right-aligned Hebrew row lands one row step under it at its right edge,
// and a row left empty leaves nothing in the drawing.
TEST_F(DialogTest, ARowTypedBelowARightAlignedRowKeepsItsEdgeAndEmptyRowsGo) {
    const AcDbObjectId right = AddText({0xF9, 0xEC, 0xE5, 0xED}, {60, 20, 0}, 2.0, 2);
    ASSERT_EQ(tarsil::testing::ReadText(right).horizontal, AcDb::kTextRight);
    OpenOnTexts({right});
    Field(ml::kSize)->setText("2.0");
    rows->SetRowStep(4.0);
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
    language.ActivateLayout(tarsil::editors::kHebrewLayout);
    QTest::keyClicks(edit, "tcd");
    QTest::keyClick(edit, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ((*rows)[1]->GetText(), (std::wstring{0xE0, 0xE1, 0xE2}));
    const auto state = tarsil::testing::ReadText(added);
    EXPECT_NEAR(state.alignment.x, 60.0, 1e-9) << "same right edge";
    EXPECT_NEAR(state.alignment.y, 16.0, 1e-9) << "one row step under";
    ASSERT_EQ(rows->RowCount(), 3) << "typing into the new row opened the next";
    const AcDbObjectId unused = (*rows)[2]->ObjectId();
    dialog->accept();
    dialog.reset();
    EXPECT_TRUE(tarsil::testing::ReadText(unused).erased) << "the row never typed into is gone";
    EXPECT_FALSE(tarsil::testing::ReadText(added).erased);
}

}  // namespace
}  // namespace multiline_test
