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
        DrawingTest::SetUp();
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

// What TSTM and TSTD open for each run of answers: the picked object, the
// point of a new MText, or nothing when a prompt is cancelled.
TEST_F(CommandsTest, TheAnswersDecideWhetherAndOnWhatTheEditorOpens) {
    const std::wstring mtext = HandleOf(Nth("MTEXT")), dimension = HandleOf(Nth("DIMENSION"));
    const std::wstring kNew = L"new at 5,6";
    const struct {
        void (*run)();
        std::vector<std::wstring> answers;
        std::wstring opened;  // a handle, kNew, or empty for no editor
        const wchar_t* prompt;
    } cases[] = {
        {RunTstm, {mtext}, mtext, L"Select MText or ENTER for new MText:  "},
        {RunTstm, {L"", L"5,6"}, kNew, L"Specify start point of text: "},
        {RunTstm, {L"", L"ESC"}, L"", L"Specify start point of text: "},
        {RunTstm, {L"ESC"}, L"", L"Select MText or ENTER for new MText:  "},
        {RunTstd, {L""}, L"", L"Select Dimension for edit:  "},  // no new dimension
        {RunTstd, {dimension}, dimension, L"Select Dimension for edit:  "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answers.back());
        opened_.clear();
        out.clear();
        cadhost::pushInputs(c.answers);
        c.run();
        EXPECT_NE(out.find(c.prompt), std::wstring::npos) << out;
        ASSERT_EQ(opened_.size(), c.opened.empty() ? 0u : 1u);
        if (c.opened == kNew) {
            EXPECT_TRUE(opened_[0].id.isNull());
            EXPECT_TRUE(opened_[0].point.isEqualTo(AcGePoint3d(5, 6, 0)));
        } else if (!c.opened.empty()) {
            EXPECT_EQ(HandleOf(opened_[0].id), c.opened);
        }
    }
}

// DDEDIT hands the object it picked to the editor of its kind.
TEST_F(CommandsTest, AnotherCommandOpensTheEditorsOnTheObjectItPicked) {
    const AcDbObjectId mtext = Nth("MTEXT"), dimension = Nth("DIMENSION");
    EditMTextFor(L"DDEDIT", mtext);
    EditDimensionFor(L"DDEDIT", dimension);
    EditMTextFor(L"DDEDIT", {});
    ASSERT_EQ(opened_.size(), 2u);
    EXPECT_EQ(opened_[0].id, mtext);
    EXPECT_EQ(opened_[1].id, dimension);
}

}  // namespace
}  // namespace tarsil
