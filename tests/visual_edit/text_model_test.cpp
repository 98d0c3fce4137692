// The control's text model: what a set text becomes, lines, the limit, the
// undo ring and the logical side of a visual selection.
#include <gtest/gtest.h>

#include "editors/visual_edit/visual_text_model.h"
#include "language_fixture.h"

namespace visual_test {
namespace {

using tarsil::visual::kMaxTextLength;
using tarsil::visual::VisualTextModel;

TEST(TextModel, SetTextCleansBreaksAndTabsCutsAtTheLimitAndCountsLines) {
    const std::wstring full(kMaxTextLength, L'x');
    const struct {
        std::wstring in;
        bool singleLine;
        std::wstring logical;
        int lines;
    } cases[] = {
        {L"", false, L"", 1},
        {L"a\tb", false, L"a b", 1},
        {L"a\rb\nc", false, L"a\nb\nc", 3},
        {L"a\nb\n", false, L"a\nb\n", 2},  // a final line feed opens no counted line
        {L"a\r\nb", true, L"a  b", 1},
        {L"x\ty\nz", true, L"x y z", 1},
        {full + L"1234567", false, full, 1},
    };
    for (const auto& c : cases) {
        VisualTextModel model;
        model.SetText(c.in, true, c.singleLine);
        EXPECT_EQ(model.Logical(), c.logical) << c.in.size();
        EXPECT_EQ(model.LineCount(), c.lines) << c.in.size();
        EXPECT_EQ(model.IndexMap().size(), model.Visual().size() + 1);
    }
}

TEST(TextModel, InsertionsBeyondTheLimitAreRefused) {
    VisualTextModel model;
    model.SetText(std::wstring(kMaxTextLength - 1, L'x'), true, false);
    EXPECT_TRUE(model.InsertLogical(0, L"y"));
    EXPECT_FALSE(model.InsertLogical(1, L"z"));
    EXPECT_FALSE(model.InsertLogical(0, L"z"));
    EXPECT_EQ(model.Logical().size(), kMaxTextLength);
    EXPECT_EQ(model.Logical().front(), L'y');
}

TEST(TextModel, EachDirectionListsItsLinesAndRunsInItsOwnOrder) {
    VisualTextModel model;
    const std::wstring logical = {kShin, kLamed, L' ', L'a', L'b', L'\n', kAlef, kBet};
    model.SetText(logical, true, false);
    model.SetRightToLeft(true);
    EXPECT_EQ(model.Visual(), (std::wstring{kAlef, kBet, L'\n', kShin, kLamed, L' ', L'b', L'a'}));
    ASSERT_EQ(model.VisualLineCount(), 2);
    EXPECT_EQ(std::wstring(model.VisualLine(0)), (std::wstring{kAlef, kBet}));
    // The map leads from each shown character to its logical place.
    for (std::size_t p = 0; p < model.Visual().size(); ++p)
        EXPECT_EQ(model.Logical()[model.IndexMap()[p]], model.Visual()[p]) << p;
    // A selection of the shown "ba" copies as typed.
    const std::size_t b = model.IndexOf(1, 3);
    EXPECT_EQ(model.LogicalOfVisualRange(b, b + 2), L"ab");
    // Left to right only the Hebrew run turns, and the lines keep their order.
    model.SetRightToLeft(false);
    EXPECT_EQ(model.Visual(), (std::wstring{kLamed, kShin, L' ', L'a', L'b', L'\n', kBet, kAlef}));
}

TEST(TextModel, UndoWalksBackThroughTheLastTenSavesOnly) {
    VisualTextModel model;
    model.InsertLogical(0, L"t");
    EXPECT_FALSE(model.Undo()) << "the empty text is not saved";
    std::vector<std::wstring> saved;
    for (int i = 0; i < 11; ++i) {
        saved.push_back(model.Logical());
        model.InsertLogical(model.Logical().size(),
                            std::wstring(1, static_cast<wchar_t>(L'a' + i)));
    }
    std::vector<std::wstring> restored;
    while (model.Undo()) restored.push_back(model.Logical());
    ASSERT_FALSE(restored.empty());
    EXPECT_EQ(restored.front(), saved.back()) << "the newest save comes first";
    for (const std::wstring& text : restored) {
        EXPECT_NE(text, saved.front()) << "the first of eleven saves is gone";
        EXPECT_NE(std::find(saved.end() - 10, saved.end(), text), saved.end());
    }
    EXPECT_EQ(model.Logical(), restored.back()) << "at the ring's start the text stays";
}

}  // namespace
}  // namespace visual_test
