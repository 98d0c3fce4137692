// New texts in the current space, and the justification table.
#include "entity_fixture.h"
#include "host/entity_ops/create_in_space.h"
#include "host/entity_ops/justification.h"

namespace entops_test {
namespace {

using CreateTest = EntityTest;

tarsil::CTextProperties Record(int justification) {
    tarsil::CTextProperties r;
    r.position = AcGePoint3d(5, 5, 0);
    r.styleName = L"hebnorm";
    r.height = 2.0;
    r.rotation = 0.5;
    r.justification = justification;
    return r;
}

TEST_F(CreateTest, LeftTextInModelSpaceForAnyOtherViewport) {
    for (short cvport : {2, 0, 3}) {
        SetShortVar(L"CVPORT", cvport);
        auto record = Record(0);
        ASSERT_TRUE(tarsil::CreateTextInCurrentSpace(record, L"x"));
        const Snapshot s = Snap(record.objectId);
        EXPECT_FALSE(s.paper) << cvport;
        EXPECT_TRUE(s.position.isEqualTo(AcGePoint3d(5, 5, 0)));
    }
}

TEST(JustificationTable, IndexOfModePairs) {
    using tarsil::JustificationIndex;
    for (int i = 0; i < tarsil::kJustificationCount; ++i) {
        const auto j = tarsil::JustificationOf(i);
        EXPECT_EQ(JustificationIndex(j.horizontalMode, j.verticalMode), i);
    }
    // Aligned, middle and fit whatever the vertical mode; pairs outside the
    // table and unknown modes give Left.
    const int pairs[][3] = {{3, 2, 3}, {4, 3, 4}, {5, 1, 5}, {7, 0, 0}, {1, 9, 0}};
    for (const auto& p : pairs) EXPECT_EQ(JustificationIndex(p[0], p[1]), p[2]) << p[0] << p[1];
    EXPECT_EQ(tarsil::JustificationOf(15).horizontalMode, 0);
    EXPECT_EQ(tarsil::JustificationOf(-1).verticalMode, 0);
    EXPECT_EQ(tarsil::JustificationOf(11).horizontalMode, 2);
    EXPECT_EQ(tarsil::JustificationOf(11).verticalMode, 2);
}

}  // namespace
}  // namespace entops_test
