// The dimension text editor's work on the sample's dimension: an empty
// override, rotation and attachment (text below the line and the
// measurement are checked through the dialog).
#include "host/mtext_edit/dimension_session.h"

#include "hebrew/codec/drawing_text_codec.h"
#include "tests/mtext_edit/session_fixture.h"

namespace tarsil {
namespace {

using testing::TypedMask;
using testing::Win;

class DimensionSessionTest : public testing::DrawingTest {
  protected:
    void SetUp() override {
        DrawingTest::SetUp();
        id_ = Nth("DIMENSION");
    }
    void Type(DimensionSession& s, const std::wstring& upper, const std::wstring& lower) {
        s.TextChanged(upper, TypedMask(upper), lower, TypedMask(lower));
    }
    // Stored text of the Hebrew Normal style read back by the codec alone.
    static std::wstring Decoded(std::wstring stored) {
        hebrew::DecodeDrawingText(stored, FontType::HebrewNormal);
        return stored;
    }
    void SetOverride(const std::wstring& text) {
        AcDbDimension* d = nullptr;
        ASSERT_EQ(acdbOpenObject(d, id_, AcDb::kForWrite), Acad::eOk);
        d->setDimensionText(text.c_str());
        d->close();
    }
    AcDbObjectId id_;
};

TEST_F(DimensionSessionTest, AnEmptyOverrideShowsTheMarkAndStaysEmptyUntilTyped) {
    SetOverride(L"");
    const std::string unchanged = Saved();
    DimensionSession session(id_);
    ASSERT_TRUE(session.Load());
    EXPECT_EQ(session.LoadedUpper(), L"\u00A7");
    session.BeginUndo();
    session.Ok();
    EXPECT_EQ(Saved(), unchanged);
    // The mark typed first, before the unit: listed from the left end, the
    // measurement comes last.
    Type(session, L"\u00A7" + Win(L" מ\"מ"), L"");
    const std::wstring now = Override(id_);
    ASSERT_GE(now.size(), 2u);
    EXPECT_EQ(now.substr(now.size() - 2), L"<>");
    EXPECT_EQ(Decoded(now.substr(0, now.size() - 2)), Win(L" מ\"מ"));
}

TEST_F(DimensionSessionTest, RotationAndAttachmentAreWrittenAndTheAttachmentRewritesTheText) {
    DimensionSession session(id_);
    ASSERT_TRUE(session.Load());
    EXPECT_EQ(session.SetRotationDegrees(30), ValueChange::Written);
    EXPECT_EQ(session.SetRotationDegrees(30), ValueChange::Unchanged);
    EXPECT_EQ(session.SetRotationDegrees(30, true), ValueChange::Written);
    Type(session, Win(L"א"), Win(L"ב"));
    SetOverride(L"changed elsewhere");
    EXPECT_FALSE(session.SetAttachment(0));
    EXPECT_TRUE(session.SetAttachment(1));

    AcDbDimension* d = nullptr;
    ASSERT_EQ(acdbOpenObject(d, id_, AcDb::kForRead), Acad::eOk);
    EXPECT_NEAR(d->textRotation(), M_PI / 6, 1e-12);
    EXPECT_EQ(d->textAttachment(), AcDbMText::kTopLeft);
    const std::wstring text = d->dimensionTextConst();
    d->close();
    EXPECT_EQ(text, std::wstring(1, wchar_t(0x80)) + L"\\X" + wchar_t(0x81));
}

TEST_F(DimensionSessionTest, AnEntityThatIsNoDimensionEndsTheLoadWithTheAlert) {
    DimensionSession session(Nth("MTEXT"));
    EXPECT_FALSE(session.Load());
    EXPECT_EQ(alerts, std::vector<std::wstring>{kCannotReadMessage});
    EXPECT_EQ(session.LoadedUpper(), L"");
}

}  // namespace
}  // namespace tarsil
