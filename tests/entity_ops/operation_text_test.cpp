// One editor row: its properties, justification prompts and failures.
#include "host/entity_ops/operation_text.h"

#include <cmath>

#include "cadhost/editor/selection.h"
#include "entity_fixture.h"
#include "host/entity_ops/multi_text.h"
#include "host/layer/entity_host.h"

namespace entops_test {
namespace {

constexpr double kEps = 1e-9;
constexpr double kDegree = M_PI / 180.0;

class RowTest : public EntityTest {
  protected:
    tarsil::OperationText Row(const std::wstring& text) {
        tarsil::OperationText row;
        EXPECT_TRUE(row.Load(Text(text)));
        return row;
    }
};

TEST_F(RowTest, HighlightIsShownByTheHostAndTakenBack) {
    auto row = Row(L"alpha");
    const int repaints = tarsil::layer::DocumentRepaintCount();
    row.Highlight(true);
    EXPECT_TRUE(cadhost::isHighlighted(row.ObjectId()));
    EXPECT_FALSE(cadhost::isHighlighted(Text(L"fit me"))) << "only the row's own text";
    row.Highlight(false);
    EXPECT_FALSE(cadhost::isHighlighted(row.ObjectId()));
    EXPECT_EQ(tarsil::layer::DocumentRepaintCount(), repaints + 2) << "each repaints the view";
}

TEST_F(RowTest, HeightStyleAndTextThroughTheStylesFont) {
    auto row = Row(L"alpha");
    EXPECT_TRUE(row.SetHeight(0.0)) << "a height of 0 changes nothing";
    EXPECT_NEAR(row.GetHeight(), 2.5, kEps);
    EXPECT_TRUE(row.SetHeight(4.0));
    // Styles by name without regard to case; an unknown one changes nothing.
    EXPECT_EQ(row.GetTextStyleName(), L"Standard");
    EXPECT_TRUE(row.SetTextStyle(L"hebnorm"));
    EXPECT_EQ(row.GetTextStyleName(), L"HEBNORM");
    EXPECT_FALSE(row.SetTextStyle(L"NO SUCH STYLE"));
    EXPECT_EQ(row.GetTextStyleName(), L"HEBNORM");
    // The text goes through the new style's font: DOS layout, visual order.
    ASSERT_TRUE(row.SetText(std::wstring{0xE0, 0xE1}));
    EXPECT_EQ(String(row.ObjectId()), (std::wstring{0x81, 0x80}));
}

TEST_F(RowTest, RotationIsMeasuredFromTheCurrentCollectionsXAxis) {
    RotateUcs(90);
    auto row = Row(L"fit me");
    // Without a collection the angle is the world's.
    ASSERT_TRUE(row.SetRotation(30.0));
    EXPECT_NEAR(Snap(row.ObjectId()).rotation, 30 * kDegree, kEps);
    tarsil::MultiText rows;  // the current collection takes the UCS angle
    ASSERT_TRUE(row.SetRotation(30.0));
    EXPECT_NEAR(Snap(row.ObjectId()).rotation, 120 * kDegree, kEps);
    EXPECT_NEAR(row.GetRotation(), 30 * kDegree, kEps);
}

// Fit and aligned ask for the two ends of the baseline, in the user system:
// with the X axis turned to world Y, user (x, y) is world (-y, x).
TEST_F(RowTest, FitAndAlignedAskForTwoBaselinePointsInTheUserSystem) {
    const struct {
        double ucs;
        int justification;
        std::wstring first, second;
    } cases[] = {{90, 3, L"10,-110", L"10,-130"}, {0, 5, L"110,10", L"130,10"}};
    for (const auto& c : cases) {
        RotateUcs(c.ucs);
        auto row = Row(L"fit me");
        type({c.first, c.second});
        output_.clear();
        ASSERT_TRUE(row.SetJustification(c.justification));
        const Snapshot s = Snap(row.ObjectId());
        EXPECT_EQ(s.h, c.justification);
        EXPECT_TRUE(s.position.isEqualTo(AcGePoint3d(110, 10, 0), kEps)) << c.ucs;
        EXPECT_TRUE(s.alignment.isEqualTo(AcGePoint3d(130, 10, 0), kEps)) << c.ucs;
        EXPECT_TRUE(row.IsAlignedOrFit());
        const auto first = output_.find(L"Specify first endpoint of text baseline: ");
        ASSERT_NE(first, std::wstring::npos) << Narrow(output_);
        EXPECT_NE(output_.find(L"Specify second endpoint of text baseline: ", first),
                  std::wstring::npos);
    }
    // Fit, the last, narrows the text to the 20 units between the points.
    EXPECT_NEAR(Snap(Text(L"fit me")).widthFactor, 0.3, kEps);
}

TEST_F(RowTest, CancelAtAnyPointPromptLeavesTheText) {
    const struct {
        const wchar_t* text;
        int justification;  // -1: the insertion point
        std::vector<std::wstring> answers;
    } cases[] = {{L"fit me", 5, {L"ESC"}},
                 {L"fit me", 5, {L"110,10", L"ESC"}},
                 {L"fit me", 8, {L"ESC"}},
                 {L"middle me", -1, {L"^C"}}};
    for (const auto& c : cases) {
        const AcDbObjectId id = Text(c.text);
        const Snapshot before = Snap(id);
        auto row = Row(c.text);
        for (const auto& answer : c.answers) type({answer});
        EXPECT_FALSE(c.justification < 0 ? row.PickInsertionPoint()
                                         : row.SetJustification(c.justification))
            << c.justification;
        EXPECT_EQ(Snap(id), before) << c.justification;
    }
    EXPECT_TRUE(alerts_.empty());
}

TEST_F(RowTest, MovedTopLeftTextKeepsItsTopAndLeftWhenItsHeightChanges) {
    // Top Left is placed by its alignment point: a move that left that
    // point behind would be undone as soon as the text is placed again.
    const AcDbObjectId id = Text(L"fit me");
    auto row = Row(L"fit me");
    type({L"100,20"});
    ASSERT_TRUE(row.SetJustification(6));
    EXPECT_NEAR(Extents(id).maxY, 20.0, kEps) << "the top of an unrotated text lies at the point";
    EXPECT_NEAR(Extents(id).minX, 100.0, kEps);
    ASSERT_TRUE(row.AlignLeftTo(50.0));
    EXPECT_NEAR(Extents(id).minX, 50.0, kEps);
    ASSERT_TRUE(row.SetHeight(4.0));
    EXPECT_NEAR(Extents(id).minX, 50.0, kEps);
    EXPECT_NEAR(Extents(id).maxY, 20.0, kEps);
    EXPECT_TRUE(Snap(id).alignment.isEqualTo(AcGePoint3d(50, 20, 0), kEps));
}

TEST_F(RowTest, InsertionPointMovesByTheCurrentJustificationAndEnterAsksAgain) {
    const AcDbObjectId id = Text(L"middle me");
    auto row = Row(L"middle me");
    EXPECT_EQ(row.GetJustification(), 10);  // Middle Center
    type({L"", L"", L"120,50"});            // Enter asks again
    ASSERT_TRUE(row.PickInsertionPoint());
    EXPECT_EQ(row.GetJustification(), 10);
    EXPECT_TRUE(Snap(id).alignment.isEqualTo(AcGePoint3d(120, 50, 0)));
    EXPECT_NEAR((Extents(id).minX + Extents(id).maxX) / 2, 120.0, kEps);
    std::size_t prompts = 0;
    for (auto at = output_.find(L"Specify a point: "); at != std::wstring::npos;
         at = output_.find(L"Specify a point: ", at + 1))
        ++prompts;
    EXPECT_EQ(prompts, 3u);

    auto plain = Row(L"alpha");
    type({L"1,2"});
    ASSERT_TRUE(plain.PickInsertionPoint());
    EXPECT_TRUE(Snap(plain.ObjectId()).position.isEqualTo(AcGePoint3d(1, 2, 0)));
}

TEST_F(RowTest, RestoreWritesTheLoadedSnapshotBack) {
    const AcDbObjectId id = Text(L"justify me");
    const Snapshot before = Snap(id);
    auto row = Row(L"justify me");
    ASSERT_TRUE(row.SetHeight(5));
    ASSERT_TRUE(row.SetText(L"changed"));
    ASSERT_TRUE(row.SetTextStyle(L"ROMANS"));
    type({L"0,0", L"10,0"});
    ASSERT_TRUE(row.SetJustification(5));
    ASSERT_TRUE(row.AlignLeftTo(-50));
    const Snapshot changed = Snap(id);
    EXPECT_EQ(changed.text, L"changed");
    EXPECT_NE(changed.style, before.style);
    EXPECT_EQ(changed.h, 5);
    EXPECT_NEAR(changed.height, 5.0, kEps);
    EXPECT_FALSE(changed.position.isEqualTo(before.position, 1.0));
    ASSERT_TRUE(row.Restore());
    // Left justified again, the text leaves its alignment point unused.
    Snapshot after = Snap(id);
    after.alignment = before.alignment;
    EXPECT_EQ(after, before);
}

TEST_F(RowTest, LockedTextIsReportedByEveryOperationAndNoTextLoadsNothing) {
    const AcDbObjectId id = Text(L"alpha");
    auto row = Row(L"alpha");
    AcDbText* held = nullptr;
    ASSERT_EQ(acdbOpenObject(held, id, AcDb::kForWrite), Acad::eOk);
    EXPECT_EQ(row.GetHeight(), 0.0);
    EXPECT_EQ(row.GetJustification(), 0);
    EXPECT_EQ(row.GetTextStyleName(), L"");
    EXPECT_FALSE(row.GetText().has_value());
    EXPECT_FALSE(row.SetTextStyle(L"ROMANS"));
    EXPECT_EQ(alerts_, std::vector<std::wstring>(5, L"\nCannot open the object TEXT"));
    alerts_.clear();
    EXPECT_FALSE(row.SetHeight(3));
    EXPECT_FALSE(row.SetRotation(3));
    EXPECT_FALSE(row.AlignLeftTo(0));
    EXPECT_FALSE(row.Restore());
    EXPECT_FALSE(row.SetJustification(2));
    EXPECT_EQ(alerts_, std::vector<std::wstring>(5, L"\nCannot open object text\n"));
    held->close();
    EXPECT_FALSE(tarsil::OperationText().Load(AcDbObjectId()));
    EXPECT_FALSE(row.IsMoved());
    EXPECT_NEAR(Snap(id).height, 2.5, kEps);
}

}  // namespace
}  // namespace entops_test
