// Each prompt says what it asks for, so that a window knows what a click
// at it means.
#include "cadhost/editor/prompt_context.h"

#include <deque>
#include <memory>

#include "cadhost/editor/prompts.h"
#include "cadhost/editor/selection.h"
#include "tests/cadhost_editor/host_fixture.h"

namespace {

struct Seen {
    cadhost::PromptKind kind;
    bool hasBase;
    double base0;
    std::size_t chosen;  // entities already selected, -1 without a selection
};

class PromptContextTest : public HostTest {
  protected:
    // Answers the prompts in turn, noting the context each was asked in.
    void answer(std::vector<std::string> lines) {
        auto queue = std::make_shared<std::deque<std::string>>(lines.begin(), lines.end());
        cadhost::setInputReader(
            [this, queue]() -> std::optional<std::string> {
                const cadhost::PromptContext& c = cadhost::currentPrompt();
                seen.push_back({c.kind, c.hasBase, c.base[0],
                                c.chosen != nullptr ? c.chosen->size() : std::size_t(-1)});
                if (queue->empty()) return std::nullopt;
                std::string line = queue->front();
                queue->pop_front();
                return line;
            },
            true);
    }
    std::vector<Seen> seen;
};

using K = cadhost::PromptKind;

std::string narrow(const std::wstring& ascii) {
    return std::string(ascii.begin(), ascii.end());
}

TEST_F(PromptContextTest, PointsCornersAndAnglesCarryTheirBase) {
    ads_point p, base = {5, 6, 0};
    double angle = 0;
    answer({"1,1", "2,2", "3,3", "hello", "1,1"});
    ASSERT_EQ(acedGetPoint(nullptr, L"a: ", p), RTNORM);
    ASSERT_EQ(acedGetCorner(base, L"b: ", p), RTNORM);
    ASSERT_EQ(acedGetAngle(base, L"c: ", &angle), RTNORM);
    ACHAR text[16];
    ASSERT_EQ(acedGetString(0, L"d: ", text, 16), RTNORM);
    int n = 0;
    EXPECT_EQ(acedGetInt(L"e: ", &n), RTCAN) << "\"1,1\" is no integer, then input ends";
    ASSERT_EQ(seen.size(), 6u);
    EXPECT_EQ(seen[0].kind, K::Point);
    EXPECT_FALSE(seen[0].hasBase);
    EXPECT_EQ(seen[1].kind, K::Corner);
    EXPECT_TRUE(seen[1].hasBase);
    EXPECT_EQ(seen[1].base0, 5);
    EXPECT_EQ(seen[2].kind, K::Point);
    EXPECT_TRUE(seen[2].hasBase);
    EXPECT_EQ(seen[3].kind, K::Text);
    EXPECT_EQ(seen[4].kind, K::Text);
    EXPECT_EQ(seen[5].kind, K::Text) << "asked again after a wrong answer";
    EXPECT_EQ(cadhost::currentPrompt().kind, K::Text) << "no prompt is left open";
}

TEST_F(PromptContextTest, ASelectionShowsWhatItHasTakenAndItsWindowCorners) {
    const AcDbObjectId a = addText(0, 0, L"a");
    addText(50, 50, L"b");
    const std::string handle = narrow(handleOf(a));
    answer({handle, "W", "40,40", "60,60", ""});
    ads_name ss;
    ASSERT_EQ(acedSSGet(nullptr, nullptr, nullptr, nullptr, ss), RTNORM);
    acedSSFree(ss);
    ASSERT_EQ(seen.size(), 5u);
    EXPECT_EQ(seen[0].kind, K::Selection);
    EXPECT_EQ(seen[0].chosen, 0u);
    EXPECT_EQ(seen[1].chosen, 1u) << "the text picked by handle";
    EXPECT_EQ(seen[2].kind, K::Point) << "first corner";
    EXPECT_EQ(seen[3].kind, K::Corner);
    EXPECT_EQ(seen[3].base0, 40);
    EXPECT_EQ(seen[4].kind, K::Selection);
    EXPECT_EQ(seen[4].chosen, 2u);
}

TEST_F(PromptContextTest, TheCommandPromptAndEntityPromptsOfTheHostsCommands) {
    const AcDbObjectId a = addText(0, 0, L"a");
    const std::string handle = narrow(handleOf(a));
    answer({"DDEDIT", handle, "new", "", "UCS", "W"});
    cadhost::runCommandLoop();
    std::vector<K> kinds;
    for (const Seen& s : seen) kinds.push_back(s.kind);
    // Command, the annotation to edit, its new text, the next annotation
    // (Enter), Command, the UCS origin, Command, end of input.
    EXPECT_EQ(kinds, (std::vector<K>{K::Command, K::Entity, K::Text, K::Entity, K::Command,
                                     K::Point, K::Command}));
    EXPECT_EQ(textOf(a), L"new");
}

TEST_F(PromptContextTest, RedrawsAreToldToTheWindow) {
    const AcDbObjectId a = addText(0, 0, L"a");
    std::vector<std::pair<AcDbObjectId, int>> told;
    cadhost::setRedrawListener([&](AcDbObjectId id, int mode) { told.emplace_back(id, mode); });
    ads_name name;
    acdbGetAdsName(name, a);
    EXPECT_EQ(acedRedraw(name, 3), RTNORM);
    EXPECT_EQ(cadhost::highlightedIds(), std::vector<AcDbObjectId>{a});
    EXPECT_EQ(acedRedraw(nullptr, 1), RTNORM);
    EXPECT_EQ(acedRedraw(name, 9), RTERROR);
    EXPECT_EQ(acedRedraw(name, 4), RTNORM);
    cadhost::setRedrawListener(nullptr);
    EXPECT_EQ(acedRedraw(name, 3), RTNORM);
    acedRedraw(name, 4);
    ASSERT_EQ(told.size(), 3u) << "a bad mode tells nothing; a removed listener hears nothing";
    EXPECT_EQ(told[0], std::make_pair(a, 3));
    EXPECT_TRUE(told[1].first.isNull());
    EXPECT_EQ(told[2], std::make_pair(a, 4));
    EXPECT_TRUE(cadhost::highlightedIds().empty());
}

TEST_F(PromptContextTest, EachDocumentHasItsOwnSerial) {
    const AcApDocument* first = acDocManagerPtr()->curDocument();
    const AcApDocument* second = acDocManagerPtr()->newDocument();
    ASSERT_NE(second, nullptr);
    EXPECT_GT(second->serial(), first->serial());
    const std::uint64_t was = second->serial();
    acDocManagerPtr()->closeDocument(const_cast<AcApDocument*>(second));
    EXPECT_GT(acDocManagerPtr()->newDocument()->serial(), was) << "never reused";
}

}  // namespace
