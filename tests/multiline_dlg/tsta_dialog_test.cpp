// TSTA end to end: the built module in a host with a window and the sample
// open, the editor driven by keys and clicks, the drawing saved and read
// back with dxftool and tarsiltext.
#include <QAbstractItemView>
#include <QToolButton>

#include "tests/text_dialog/editor_fixture.h"

namespace tarsil::testing {
namespace {

const auto* const kQt = ::testing::AddGlobalTestEnvironment(new QtApplication);

// The block reference with the attributes NAME (handle 54) and NUMBER (55).
constexpr wchar_t kRoomTag[] = L"52";

class TstaDialogTest : public EditorTest {
  protected:
    // Opens a row's cell for editing and gives its editor.
    static QWidget* EditRow(QWidget* dialog, int row) {
        auto* grid = ControlOf<QAbstractItemView>(dialog, 1032);
        const QModelIndex cell = grid->model()->index(row, 0);
        grid->setCurrentIndex(cell);
        grid->edit(cell);
        return grid->indexWidget(cell);
    }
};

TEST_F(TstaDialogTest, OkStoresEachTypedValueInItsFontsLayout) {
    RunEditor(L"TSTA", {kRoomTag}, [&](QDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Tarsil Multiline Editor"));
        QWidget* edit = EditRow(dialog, 0);
        ASSERT_NE(edit, nullptr);
        QTest::keyClick(edit, Qt::Key_End);
        QTest::keyClick(edit, Qt::Key_Home, Qt::ShiftModifier);
        QTest::keyClicks(edit, "tc 3");  // Hebrew rows: alef, bet, a blank and 3
        QTest::keyClick(edit, Qt::Key_Return);
        edit = EditRow(dialog, 1);
        ASSERT_NE(edit, nullptr);
        QTest::keyClicks(edit, "d");  // gimel typed at the caret
        Ok(dialog);
    });
    const auto attributes = ListTexts(Save(), "ATTRIB");
    ASSERT_EQ(attributes.count("54"), 1u);
    // Hebrew Normal: the DOS layout's letters, decoded back to what was typed.
    EXPECT_EQ(attributes.at("54").stored.find_first_of("\xE0\xE1"), std::string::npos);
    EXPECT_EQ(Decoded(attributes.at("54").stored, 0), (std::wstring{0xE0, 0xE1, L' ', L'3'}));
    // The cell's edit was open when OK was pressed: it is kept.
    EXPECT_NE(Decoded(attributes.at("55").stored, 0).find(wchar_t{0xE2}), std::wstring::npos);
}

TEST_F(TstaDialogTest, CancelAfterEveryKindOfChangeLeavesTheDrawingByteIdentical) {
    const AcDbObjectId name = Id(L"54");
    const TextState before = ReadText(name);
    const int cmdecho = IntVar(L"CMDECHO");
    RunEditor(L"TSTA", {kRoomTag}, [&](QDialog* dialog) {
        QWidget* edit = EditRow(dialog, 0);
        ASSERT_NE(edit, nullptr);
        QTest::keyClicks(edit, "tcd");
        QTest::keyClick(edit, Qt::Key_Return);
        EXPECT_NE(ReadText(name).stored, before.stored) << "written as typed";
        Click(dialog, 1046);  // right alignment
        Click(dialog, 1049);  // even spacing
        QLineEdit* distance = ControlOf<QLineEdit>(dialog, 1050);
        ASSERT_TRUE(distance->isEnabled());
        distance->setFocus();
        distance->selectAll();
        QTest::keyClicks(distance, "1.5");
        cadhost::pushInput(L"100,100");
        Click(dialog, 1030);  // insertion point of the selected row
        EXPECT_NEAR(ReadText(name).position.x, 100.0, 1e-9) << "the point was taken";
        EXPECT_TRUE(dialog->isVisible()) << "the dialog is back after the point";
        Cancel(dialog);
    });
    EXPECT_EQ(ReadText(name).stored, before.stored);
    EXPECT_EQ(IntVar(L"CMDECHO"), cmdecho);
    EXPECT_TRUE(ReadBytes(Save()) == ReadBytes(SamplePath())) << "the drawing as it was opened";
}

}  // namespace
}  // namespace tarsil::testing
