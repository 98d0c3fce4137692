// TSTA end to end: the built module in a host with a window and the sample
// open, the editor driven by keys and clicks; Cancel gives the drawing back.
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

TEST_F(TstaDialogTest, CancelAfterTypingAndPickingAPointLeavesTheDrawingByteIdentical) {
    const AcDbObjectId name = Id(L"54");
    const TextState before = ReadText(name);
    RunEditor(L"TSTA", {kRoomTag}, [&](QDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Tarsil Multiline Editor"));
        QWidget* edit = EditRow(dialog, 0);
        ASSERT_NE(edit, nullptr);
        QTest::keyClicks(edit, "tcd");
        QTest::keyClick(edit, Qt::Key_Return);
        EXPECT_NE(ReadText(name).stored, before.stored) << "written as typed";
        cadhost::pushInput(L"100,100");
        Click(dialog, 1030);  // insertion point of the selected row
        EXPECT_NEAR(ReadText(name).position.x, 100.0, 1e-9) << "the point was taken";
        EXPECT_TRUE(dialog->isVisible()) << "the dialog is back after the point";
        Cancel(dialog);
    });
    EXPECT_EQ(ReadText(name).stored, before.stored);
    EXPECT_TRUE(ReadBytes(Save()) == ReadBytes(SamplePath())) << "the drawing as it was opened";
}

}  // namespace
}  // namespace tarsil::testing
