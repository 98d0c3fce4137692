// A new text: Enter at TSTT's selection prompt (or the module's DTEXT),
// a point and an angle in a turned user coordinate system, then typing.
#include <gmock/gmock.h>

#include <cmath>

#include "cadhost/editor/ucs.h"
#include "tests/text_dialog/editor_fixture.h"

namespace tarsil {
namespace {

using testing::EditOf;
using testing::ReadText;
using testing::Win;

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
        EXPECT_EQ(testing::ListTexts(Save()).size(), 24u);
    }

    std::vector<AcDbObjectId> before_;
};

TEST_F(NewText, EnterAtTheSelectionPromptThenAPointAndAnAngle) {
    RunEditor(L"TSTT", {L"", L"10,5", L"30"}, TypeTwoLines);
    EXPECT_THAT(output_, ::testing::HasSubstr(L"Select texts for editing or Enter for NEW: "));
    EXPECT_THAT(output_, ::testing::HasSubstr(L"Specify rotation angle of text <0>:"));
    ExpectTwoTexts(M_PI / 6 + M_PI / 2);
}

TEST_F(NewText, TheModulesDtextStartsTheSameWithoutTheSelection) {
    acrxDynamicLinker->unloadModule(ModuleFile().c_str(), false);
    WriteBytes(folder_ / "tarsil.ini", Settings(2));
    ASSERT_TRUE(acrxDynamicLinker->loadModule(ModuleFile().c_str(), false));
    cadhost::runLispQueue();
    // Enter at the angle prompt: the angle of the user system alone.
    RunEditor(L"DTEXT", {L"10,5", L""}, TypeTwoLines);
    EXPECT_THAT(output_, ::testing::Not(::testing::HasSubstr(L"Select texts")));
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

}  // namespace
}  // namespace tarsil
