// The multi-line text editor in process: how it opens on Hebrew and on
// Latin rows, typing in a cell against the engine's reordering, the
// notices of the cell's control reaching the buttons, the fields of the
// selected rows, and the rows it adds and removes.
#include <QComboBox>
#include <QHeaderView>
#include <cstdlib>

#include "dialog_fixture.h"
#include "editors/multiline_dlg/row_state.h"

namespace multiline_test {
namespace {

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

    EXPECT_TRUE(dialog->HebrewFlag());
    EXPECT_FALSE(dialog->LeftToRightFlag());
    EXPECT_EQ(Pressed({ml::kHebrew, ml::kEnglish, ml::kLeftToRight, ml::kRightToLeft}),
              (std::vector<int>{ml::kHebrew, ml::kRightToLeft}));
    EXPECT_EQ(Pressed({ml::kAlignLeft, ml::kAlignCenter, ml::kAlignRight, ml::kUnaligned}),
              (std::vector<int>{ml::kUnaligned}));
    EXPECT_EQ(Status(), (std::pair<QString, QString>{"Hebrew", "Right to left"}));
    EXPECT_EQ(static_cast<int>(language.CurrentLayout()), 0x040D);
    EXPECT_EQ(Grid()->RowHeight(0), tarsil::CWhtnDlg::RowHeightFor(QFontInfo(dialog->font()).pixelSize()));
    EXPECT_EQ(Grid()->RowHeight(1), Grid()->RowHeight(0));
    EXPECT_EQ(Grid()->CurrentRow(), 0);
    EXPECT_EQ(Grid()->SelectedRows(), std::vector<int>{0});
    // Style and height of the focus row.
    EXPECT_EQ(FindControlAs<QComboBox>(dialog.get(), ml::kStyleList)->currentText(),
              QStringLiteral("HEBNORM"));
    EXPECT_EQ(Field(ml::kSize)->text(), QStringLiteral("2.0000"));
    EXPECT_FALSE(Field(ml::kDistance)->isEnabled());

    if (const char* dir = std::getenv("TARSIL_SCREENSHOT_DIR"))
        dialog->grab().save(QString::fromLocal8Bit(dir) + "/multiline_editor.png");
}

TEST_F(DialogTest, LatinRowsOpenLeftToRightInEnglish) {
    language.ActivateLayout(tarsil::editors::kHebrewLayout);
    OpenOnTexts({AddText(L"first", {0, 0, 0}, 2.0), AddText(L"second", {0, -4, 0}, 2.0)});
    EXPECT_FALSE(dialog->HebrewFlag());
    EXPECT_TRUE(dialog->LeftToRightFlag());
    EXPECT_EQ(Grid()->ColumnCount(), 1);
    EXPECT_FALSE(Grid()->Cell(0, 0).rightToLeft);
    EXPECT_EQ(Status(), (std::pair<QString, QString>{"English", "Left to right"}));
    EXPECT_EQ(static_cast<int>(language.CurrentLayout()), 0x0409);
    // The layout in force before the dialog comes back when it is gone.
    dialog->reject();
    dialog.reset();
    EXPECT_EQ(static_cast<int>(language.CurrentLayout()), 0x040D);
}

TEST_F(DialogTest, RowHeightFollowsTheFontHeight) {
    EXPECT_EQ(tarsil::CWhtnDlg::RowHeightFor(11), 21);
    EXPECT_EQ(tarsil::CWhtnDlg::RowHeightFor(-13), 24);
    EXPECT_EQ(tarsil::CWhtnDlg::RowHeightFor(0), 4);
}

}  // namespace
}  // namespace multiline_test
