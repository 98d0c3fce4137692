// The bundled sample drawings hold the same phrases stored for every kind
// of Hebrew font: each reads back as the logical phrase, and writing the
// phrase stores the very bytes the sample generator computed.
#include <string>

#include "entity_fixture.h"
#include "host/entity_ops/editor_text.h"

namespace entops_test {
namespace {

// Hebrew letters to the Windows layout (U+05D0.. to 0xE0..).
std::wstring Windows(const std::wstring& logical) {
    std::wstring out;
    for (wchar_t c : logical) out += (c >= 0x05D0 && c <= 0x05EA) ? wchar_t(c - 0x05D0 + 0xE0) : c;
    return out;
}

const std::wstring kPhrases[] = {L"\u05E9\u05DC\u05D5\u05DD", L"\u05D7\u05D3\u05E8 12",
                                 L"\u05D0\u05D1\u05D2"};
// Rows of the samples, 5 units apart from y = 0 down, in this order.
const wchar_t* const kStyles[] = {L"HEBNORM", L"HEB7BIT", L"HEBBACK", L"HEB7BACK",
                                  L"HEBD2W",  L"ROMANS",  L"TXTSTYLE"};

class SampleTextTest : public EntityTest, public ::testing::WithParamInterface<const char*> {
  protected:
    void SetUp() override {
        EntityTest::SetUp();
        const std::string path = std::string(TARSIL_SOURCE_DIR) + "/samples/" + GetParam();
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

TEST_P(SampleTextTest, EveryHebrewFontReadsTheLogicalPhraseAndStoresItBack) {
    constexpr int kHebrewBackwardRow = 2;
    for (int row = 0; row < 6; ++row) {
        for (int i = 0; i < 3; ++i) {
            const AcDbObjectId id = TextAt(10.0 * i, -5.0 * row);
            // Rows write backward-font text in the DOS visual form of the
            // normal font (row 0), whatever form it was read in.
            const std::wstring stored =
                String(row == kHebrewBackwardRow ? TextAt(10.0 * i, 0.0) : id);
            const std::wstring logical = Windows(kPhrases[i]);
            EXPECT_EQ(tarsil::LoadEditorText(id).value_or(L"?"), logical)
                << Narrow(kStyles[row]) << " phrase " << i;
            std::wstring editable = logical;
            ASSERT_TRUE(tarsil::StoreEditorText(id, editable));
            EXPECT_EQ(String(id), stored) << Narrow(kStyles[row]) << " phrase " << i;
        }
    }
    EXPECT_TRUE(alerts_.empty());
}

TEST_P(SampleTextTest, UnmappedFontIsReadAsStored) {
    // txt is not in the map: its Windows-layout text is shown as it is.
    const AcDbObjectId id = TextAt(0.0, -30.0);
    EXPECT_EQ(tarsil::LoadEditorText(id).value_or(L"?"), String(id));
}

INSTANTIATE_TEST_SUITE_P(Drawings, SampleTextTest,
                         ::testing::Values("hebrew_r12.dxf", "hebrew_r2000.dxf",
                                           "hebrew_r2018.dxf"));

}  // namespace
}  // namespace entops_test
