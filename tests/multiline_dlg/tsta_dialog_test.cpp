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

std::string FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Empty when the two are the same; else where they part, with some of each.
std::string Difference(const std::string& got, const std::string& want) {
    if (got == want) return {};
    std::size_t at = 0;
    while (at < got.size() && at < want.size() && got[at] == want[at]) ++at;
    const std::size_t from = at > 80 ? at - 80 : 0;
    return "at byte " + std::to_string(at) + ":\n--- got\n" + got.substr(from, 200) +
           "\n--- want\n" + want.substr(from, 200);
}

long VarOf(const wchar_t* name) {
    const auto value = cadhost::getVar(name);
    return value ? value->integer : -1;
}

class TstaDialogTest : public EditorTest {
  protected:
    static QAbstractItemView* Grid(QWidget* dialog) {
        return ControlOf<QAbstractItemView>(dialog, 1032);
    }
    // Opens a row's cell for editing and gives its editor.
    static QWidget* EditRow(QWidget* dialog, int row) {
        QAbstractItemView* grid = Grid(dialog);
        const QModelIndex cell = grid->model()->index(row, 0);
        grid->setCurrentIndex(cell);
        grid->edit(cell);
        return grid->indexWidget(cell);
    }
    static void Click(QWidget* dialog, int id) {
        QWidget* control = ControlOf<QWidget>(dialog, id);
        ASSERT_NE(control, nullptr) << id;
        QTest::mouseClick(control, Qt::LeftButton);
    }
};

TEST_F(TstaDialogTest, OkStoresEachTypedValueInItsFontsLayout) {
    RunEditor(L"TSTA", {kRoomTag}, [&](QDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Tarsil Multiline Editor"));
        EXPECT_EQ(VarOf(L"OSMODE"), 0) << "no object snaps while the editor is open";
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
    const std::string& name = attributes.at("54").stored;
    EXPECT_EQ(Decoded(name, 0), (std::wstring{0xE0, 0xE1, L' ', L'3'}));
    for (unsigned char c : name) {
        EXPECT_TRUE(c < 0x80 || c <= 0x9A) << "DOS layout: " << int(c);
    }
    EXPECT_EQ(name.find('\xE0'), std::string::npos) << "not the Windows layout";
    // The cell's edit was open when OK was pressed: it is kept.
    EXPECT_NE(Decoded(attributes.at("55").stored, 0).find(wchar_t{0xE2}),
              std::wstring::npos);
    EXPECT_EQ(VarOf(L"OSMODE"), 4133) << "the sample's own";
}

TEST_F(TstaDialogTest, CancelAfterEveryKindOfChangeLeavesTheDrawingByteIdentical) {
    const AcDbObjectId name = Id(L"54");
    const TextState before = ReadText(name);
    const long cmdecho = VarOf(L"CMDECHO");
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
    EXPECT_EQ(VarOf(L"CMDECHO"), cmdecho);
    EXPECT_EQ(Difference(FileBytes(Save()), FileBytes(SamplePath())), "")
        << "the drawing as it was opened";
}

}  // namespace
}  // namespace tarsil::testing
