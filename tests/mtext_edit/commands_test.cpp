// TSTM and TSTD up to the editor: what the user answers decides whether and
// with what the editor opens.
#include <QWidget>

#include "cadhost/editor/input.h"
#include "cadhost/editor/windows.h"
#include "host/commands/tstd/tstd_command.h"
#include "host/commands/tstm/tstm_command.h"
#include "tests/module/qt_application.h"
#include "tests/mtext_edit/session_fixture.h"

namespace tarsil {
namespace {

const auto* const kQt = ::testing::AddGlobalTestEnvironment(new testing::QtApplication);

std::wstring HandleOf(AcDbObjectId id) {
    char buf[20] = {};
    id.handle().getIntoAsciiBuffer(buf);
    return std::wstring(buf, buf + std::char_traits<char>::length(buf));
}

class CommandsTest : public testing::DrawingTest {
  protected:
    void SetUp() override {
        Open("samples/hebrew_r2000.dxf");
        cadhost::setHostWindows(&frame_, &frame_);
        SetMTextEditorOpener([this](AcDbObjectId id, const AcGePoint3d& p) {
            opened_.push_back({id, p});
        });
        SetDimensionEditorOpener([this](AcDbObjectId id) { opened_.push_back({id, {}}); });
    }
    void TearDown() override {
        SetMTextEditorOpener(nullptr);
        SetDimensionEditorOpener(nullptr);
        cadhost::setHostWindows(nullptr, nullptr);
        testing::DrawingTest::TearDown();
    }
    struct Opened {
        AcDbObjectId id;
        AcGePoint3d point;
    };
    QWidget frame_;
    std::vector<Opened> opened_;
};

TEST_F(CommandsTest, TstmOpensTheEditorForThePickedMText) {
    const AcDbObjectId mtext = Nth("MTEXT");
    cadhost::pushInput(HandleOf(mtext));
    RunTstm();
    ASSERT_EQ(opened_.size(), 1u);
    EXPECT_EQ(opened_[0].id, mtext);
    EXPECT_NE(out_.find(L"Select MText or ENTER for new MText:  "), std::wstring::npos);
}

TEST_F(CommandsTest, TstmEnterAsksForThePointOfANewMText) {
    cadhost::pushInputs({L"", L"5,6"});
    RunTstm();
    ASSERT_EQ(opened_.size(), 1u);
    EXPECT_TRUE(opened_[0].id.isNull());
    EXPECT_EQ(opened_[0].point.x, 5);
    EXPECT_EQ(opened_[0].point.y, 6);
    EXPECT_NE(out_.find(L"Specify start point of text: "), std::wstring::npos);
}

TEST_F(CommandsTest, TstmEndsWithoutEditorWhenAPromptIsCancelled) {
    cadhost::pushInputs({L"", L"ESC"});
    RunTstm();
    cadhost::pushInputs({L"ESC"});
    RunTstm();
    EXPECT_TRUE(opened_.empty());
}

TEST_F(CommandsTest, TstdOpensOnlyForAPickedDimension) {
    cadhost::pushInput(L"");
    RunTstd();
    EXPECT_TRUE(opened_.empty()) << "Enter: no new dimension";
    const AcDbObjectId dimension = Nth("DIMENSION");
    cadhost::pushInput(HandleOf(dimension));
    RunTstd();
    ASSERT_EQ(opened_.size(), 1u);
    EXPECT_EQ(opened_[0].id, dimension);
    EXPECT_NE(out_.find(L"Select Dimension for edit:  "), std::wstring::npos);
}

TEST_F(CommandsTest, AnotherCommandOpensTheEditorsOnTheObjectItPicked) {
    const AcDbObjectId mtext = Nth("MTEXT"), dimension = Nth("DIMENSION");
    EditMTextFor(L"DDEDIT", mtext);
    EditDimensionFor(L"DDEDIT", dimension);
    EditMTextFor(L"DDEDIT", {});
    ASSERT_EQ(opened_.size(), 2u);
    EXPECT_EQ(opened_[0].id, mtext);
    EXPECT_EQ(opened_[1].id, dimension);
    cadhost::setHostWindows(nullptr, nullptr);
    EditMTextFor(L"DDEDIT", mtext);
    EXPECT_EQ(opened_.size(), 2u);
    EXPECT_NE(out_.find(L"DDEDIT needs the window"), std::wstring::npos);
}

TEST_F(CommandsTest, WithoutAWindowTheCommandsSayWhatTheyNeedAndEnd) {
    cadhost::setHostWindows(nullptr, nullptr);
    cadhost::pushInput(HandleOf(Nth("MTEXT")));
    RunTstm();
    RunTstd();
    EXPECT_TRUE(opened_.empty());
    EXPECT_TRUE(cadhost::inputPending()) << "no prompt was asked";
    EXPECT_NE(out_.find(L"TSTM needs the window"), std::wstring::npos);
    EXPECT_NE(out_.find(L"TSTD needs the window"), std::wstring::npos);
    cadhost::clearInput();
}

}  // namespace
}  // namespace tarsil
