// A bundled sample drawing holds the same phrases stored for every kind
// of Hebrew font: each reads back as the logical phrase, and writing the
// phrase stores the very bytes the sample generator computed.
#include <string>

#include "entity_fixture.h"
#include "host/entity_ops/editor_text.h"

namespace entops_test {
namespace {

// שלום, חדר 12 and אבג in the Windows layout.
const std::wstring kPhrases[] = {L"\u00F9\u00EC\u00E5\u00ED", L"\u00E7\u00E3\u00F8 12",
                                 L"\u00E0\u00E1\u00E2"};
class SampleTextTest : public EntityTest {
  protected:
    void SetUp() override {
        EntityTest::SetUp();
        const std::string path = std::string(TARSIL_SOURCE_DIR) + "/samples/hebrew_r2000.dxf";
        ASSERT_NE(acDocManagerPtr()->openDocument(path), nullptr) << Narrow(output_);
        // As the bundled default map has it.
        tarsil::CurrentFontMap()[L"heb7back"] = tarsil::FontType::Hebrew7BitBackward;
    }
    AcDbObjectId TextAt(double x, double y) {
        return Find<AcDbText>(
            [&](AcDbText& t) {
                return t.dxfName() == "TEXT" && t.isDefaultAlignment() &&
                       t.position().isEqualTo(AcGePoint3d(x, y, 0), 1e-9);
            },
            "text at " + std::to_string(x) + "," + std::to_string(y));
    }
};

TEST_F(SampleTextTest, EveryHebrewFontReadsTheLogicalPhraseAndStoresItBack) {
    constexpr int kHebrewBackwardRow = 2;
    for (int row = 0; row < 6; ++row) {
        for (int i = 0; i < 3; ++i) {
            const AcDbObjectId id = TextAt(10.0 * i, -5.0 * row);
            // Rows write backward-font text in the DOS visual form of the
            // normal font (row 0), whatever form it was read in.
            const std::wstring stored =
                String(row == kHebrewBackwardRow ? TextAt(10.0 * i, 0.0) : id);
            const std::wstring& logical = kPhrases[i];
            EXPECT_EQ(tarsil::LoadEditorText(id).value_or(L"?"), logical)
                << "row " << row << " phrase " << i;
            std::wstring editable = logical;
            ASSERT_TRUE(tarsil::StoreEditorText(id, editable));
            EXPECT_EQ(String(id), stored) << "row " << row << " phrase " << i;
            EXPECT_EQ(editable, stored) << "converted in place";
        }
    }
    EXPECT_TRUE(alerts_.empty());
}

}  // namespace
}  // namespace entops_test
