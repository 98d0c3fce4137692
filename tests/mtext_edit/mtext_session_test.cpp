// The MText and dimension editors' work on sample drawings: the leader, a
// new MText, properties, columns; the dimension's empty override, rotation
// and attachment.  How words and codes are converted is the contents
// tests' business; the text below the line is checked through the dialog.
#include "host/mtext_edit/mtext_session.h"

#include "host/mtext_edit/dimension_session.h"
#include "tests/codec/codec_test_support.h"
#include "tests/mtext_edit/session_fixture.h"

namespace tarsil {
namespace {

using hebrew::TypedMask;
using testing::Win;

// Stored DOS letters, listed from the left end (as Hebrew Normal stores a word).
std::wstring DosVisual(const std::wstring& hebrew) {
    std::wstring out;
    for (auto it = hebrew.rbegin(); it != hebrew.rend(); ++it) out += wchar_t(*it - 0x05D0 + 0x80);
    return out;
}

// The pieces of text between separators: paragraphs at "\P", lines at "\n".
std::vector<std::wstring> Split(const std::wstring& text, const std::wstring& separator) {
    std::vector<std::wstring> out;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(separator, start)) != std::wstring::npos;) {
        out.push_back(text.substr(start, at - start));
        start = at + separator.size();
    }
    out.push_back(text.substr(start));
    return out;
}
std::vector<std::wstring> Paragraphs(const std::wstring& contents) {
    return Split(contents, L"\\P");
}

class MTextSessionTest : public testing::DrawingTest {
  protected:
    void Type(MTextSession& s, const std::wstring& text) { s.TextChanged(text, TypedMask(text)); }
};

// The leader is looked for in a crossing window: the MText's box grown by
// five times its height on every side.
TEST_F(MTextSessionTest, OnlyALeaderThatCrossesTheGrownBoxIsFound) {
    const AcDbObjectId id = Id(kMText), leaderId = Id(kLeader);
    const AcDbExtents box = ReadMText(id).box;
    const double right = box.maxPoint().x + 5 * (box.maxPoint().y - box.minPoint().y);
    // Every vertex right of the grown box by a distance, or the last one in.
    auto found = [&](double beyond, bool lastInside) {
        AcDbLeader* l = nullptr;
        EXPECT_EQ(acdbOpenObject(l, leaderId, AcDb::kForWrite), Acad::eOk);
        for (int i = 0, n = l->numVertices(); i < n; ++i) {
            const double x = lastInside && i == n - 1 ? right - 0.01 : right + beyond + i;
            EXPECT_EQ(l->setVertexAt(i, AcGePoint3d(x, box.minPoint().y, 0)), Acad::eOk);
        }
        l->close();
        MTextSession session(id, {});
        EXPECT_TRUE(session.Load());
        return session.leader() == leaderId;
    };
    EXPECT_FALSE(found(0.01, false)) << "just outside";
    EXPECT_TRUE(found(0.01, true)) << "one end inside";
}

// The leader meets the side of the box it comes from, at the middle of the
// first line, whatever changes the box.
TEST_F(MTextSessionTest, TheLeaderFollowsTheMTextAsItChanges) {
    const AcDbObjectId id = Id(kMText), leaderId = Id(kLeader);
    // The leader's end, checked against the box unless step is null.
    const auto end = [&](const char* step) {
        AcDbLeader* l = nullptr;
        EXPECT_EQ(acdbOpenObject(l, leaderId, AcDb::kForRead), Acad::eOk);
        const AcGePoint3d at = l->vertexAt(l->numVertices() - 1);
        const AcGePoint3d from = l->vertexAt(l->numVertices() - 2);
        l->close();
        const MTextState m = ReadMText(id);
        if (step == nullptr) return at;
        const bool fromLeft = from.x <= (m.box.minPoint().x + m.box.maxPoint().x) / 2;
        EXPECT_DOUBLE_EQ(at.x, fromLeft ? m.box.minPoint().x : m.box.maxPoint().x) << step;
        EXPECT_DOUBLE_EQ(at.y, m.box.maxPoint().y - m.height / 2) << step;
        return at;
    };
    MTextSession session(id, {});
    ASSERT_TRUE(session.Load());
    const double before = end(nullptr).y;
    Type(session, Win(L"שורה ארוכה מאוד מאוד\n") + session.LoadedText());
    const AcGePoint3d typed = end("typed");
    EXPECT_NE(typed.y, before);
    // Hung from its middle left point, the box moves up.
    ASSERT_TRUE(session.SetAttachment(AcDbMText::kMiddleLeft));
    const AcGePoint3d attached = end("attachment");
    EXPECT_GT(attached.y, typed.y);
    ASSERT_EQ(session.SetHeight(5), ValueChange::Written);
    EXPECT_NE(end("height").y, attached.y);
}

TEST_F(MTextSessionTest, ANewMTextIsCreatedAtThePointOnceItHasText) {
    AcDbObjectId hebnorm;
    AcDbTextStyleTable* styles = nullptr;
    ASSERT_EQ(db()->getTextStyleTable(styles, AcDb::kForRead), Acad::eOk);
    styles->getAt(L"HEBNORM", hebnorm);
    styles->close();
    db()->setTextstyle(hebnorm);
    db()->setTextsize(3.5);
    const std::size_t count = db()->allEntities().size();

    MTextSession session({}, AcGePoint3d(5, 6, 0));
    ASSERT_TRUE(session.Load());
    session.BeginUndo();
    Type(session, L"\n\n");
    EXPECT_FALSE(session.exists());
    EXPECT_EQ(db()->allEntities().size(), count);

    Type(session, Win(L"אב\n\nגד"));
    ASSERT_TRUE(session.exists());
    EXPECT_EQ(db()->allEntities().size(), count + 1);
    const MTextState m = ReadMText(session.objectId());
    EXPECT_EQ(m.contents, DosVisual(L"אב") + L"\\P\\P" + DosVisual(L"גד"));
    EXPECT_TRUE(m.location.isEqualTo(AcGePoint3d(5, 6, 0)));
    EXPECT_EQ(m.attachment, AcDbMText::kTopRight);
    EXPECT_EQ(m.height, 3.5);
    EXPECT_EQ(m.style, hebnorm);

    session.Cancel();
    EXPECT_EQ(db()->allEntities().size(), count);
}

TEST_F(MTextSessionTest, PropertiesAreCheckedAndWrittenOnlyWhenTheyChange) {
    const AcDbObjectId id = Id(kMText);
    MTextSession session(id, {});
    ASSERT_TRUE(session.Load());
    const struct {
        double value;
        ValueChange expected;
    } spacings[] = {{0.25, ValueChange::Written},  {4.0, ValueChange::Written},
                    {4.0, ValueChange::Unchanged}, {0.24, ValueChange::Refused},
                    {4.01, ValueChange::Refused},  {-1, ValueChange::Refused}};
    for (const auto& c : spacings)
        EXPECT_EQ(session.SetLineSpacing(c.value), c.expected) << c.value;
    EXPECT_EQ(session.SetHeight(0), ValueChange::Refused);
    EXPECT_EQ(session.SetHeight(2.5), ValueChange::Unchanged);
    EXPECT_EQ(session.SetHeight(3), ValueChange::Written);
    EXPECT_EQ(session.SetRotationDegrees(90), ValueChange::Written);
    EXPECT_EQ(session.SetRotationDegrees(90), ValueChange::Unchanged);
    EXPECT_FALSE(session.SetAttachment(0));
    EXPECT_FALSE(session.SetAttachment(10));
    EXPECT_TRUE(session.SetAttachment(5));

    const MTextState m = ReadMText(id);
    EXPECT_EQ(m.spacing, 4.0);
    EXPECT_EQ(m.height, 3.0);
    EXPECT_NEAR(m.rotation, M_PI / 2, 1e-12);
    EXPECT_EQ(m.attachment, AcDbMText::kMiddleCenter);
}

TEST_F(MTextSessionTest, AStyleOfAnotherFontTypeRewritesTheTextInItsEncoding) {
    const AcDbObjectId id = Id(kMText);
    MTextSession session(id, {});
    ASSERT_TRUE(session.Load());
    ASSERT_TRUE(session.SetStyle(L"HEBBACK"));  // logical order, Windows layout
    EXPECT_EQ(session.fontType(), FontType::HebrewBackward);
    const auto paragraphs = Paragraphs(Contents(id));
    ASSERT_EQ(paragraphs.size(), 3u);
    EXPECT_EQ(paragraphs[2], Win(L"אבג"));
    EXPECT_FALSE(session.SetStyle(L"NO SUCH STYLE"));
}

TEST_F(MTextSessionTest, AnMTextThatCantBeReadEndsTheLoadWithTheAlert) {
    MTextSession session(Id(kDimension), {});
    EXPECT_FALSE(session.Load());
    EXPECT_EQ(alerts, std::vector<std::wstring>{kCannotReadMessage});
    EXPECT_TRUE(session.LoadedText().empty());
}

TEST_F(MTextSessionTest, ColumnsOfSeparateEntitiesAreEditedAsOneText) {
    Open("tests/mtext_edit/data/columns_r2007.dxf");
    const AcDbObjectId first = Id(L"30"), second = Id(L"31"), third = Id(L"32");
    const auto xdata = GroupsFrom(first, 1001);
    const std::wstring firstBefore = Contents(first), thirdBefore = Contents(third);
    MTextSession session(first, {});
    ASSERT_TRUE(session.Load());
    // The three columns' words in their order, as one text.
    std::wstring edited = session.LoadedText();
    const std::size_t bet = edited.find(Win(L"בית"));
    ASSERT_NE(bet, std::wstring::npos);
    EXPECT_LT(edited.find(Win(L"אלף")), bet);
    EXPECT_LT(bet, edited.find(Win(L"גימל")));
    edited.replace(bet, 3, Win(L"בתים"));
    Type(session, edited);
    EXPECT_EQ(Contents(first), firstBefore);
    EXPECT_EQ(Contents(second), L"{\\C1;" + DosVisual(L"בתים") + L"}\\N");
    EXPECT_EQ(Contents(third), thirdBefore);
    EXPECT_EQ(GroupsFrom(first, 1001), xdata);
}

TEST_F(MTextSessionTest, ColumnDataOfOneEntityIsLeftAsItWas) {
    Open("tests/mtext_edit/data/columns_r2018.dxf");
    const AcDbObjectId id = Id(L"30");
    const auto columns = GroupsFrom(id, 101);
    ASSERT_FALSE(columns.empty());
    MTextSession session(id, {});
    ASSERT_TRUE(session.Load());
    // The column width (group 44 of the column data) is not the spacing.
    EXPECT_EQ(session.lineSpacing(), 1.0);
    std::wstring edited = session.LoadedText();
    edited.replace(edited.find(Win(L"גימל")), 4, Win(L"דלת"));
    Type(session, edited);
    EXPECT_EQ(session.SetLineSpacing(1.5), ValueChange::Written);
    EXPECT_EQ(session.SetRotationDegrees(10), ValueChange::Written);
    EXPECT_EQ(GroupsFrom(id, 101), columns);
    EXPECT_EQ(Paragraphs(Contents(id)).size(), 1u);
    EXPECT_NE(Contents(id).find(L"{\\C1;" + DosVisual(L"דלת") + L"}"), std::wstring::npos);
}

class DimensionSessionTest : public testing::DrawingTest {
  protected:
    void SetUp() override {
        DrawingTest::SetUp();
        id_ = Id(kDimension);
    }
    void Type(DimensionSession& s, const std::wstring& upper, const std::wstring& lower) {
        s.TextChanged(upper, TypedMask(upper), lower, TypedMask(lower));
    }
    void SetOverride(const std::wstring& text) {
        AcDbDimension* d = nullptr;
        ASSERT_EQ(acdbOpenObject(d, id_, AcDb::kForWrite), Acad::eOk);
        d->setDimensionText(text.c_str());
        d->close();
    }
    AcDbObjectId id_;
};

// Until something is typed, the override stays empty: OK writes nothing.
TEST_F(DimensionSessionTest, AnEmptyOverrideShowsTheMarkAndStaysEmptyUntilTyped) {
    SetOverride(L"");
    const std::string unchanged = Saved();
    DimensionSession session(id_);
    ASSERT_TRUE(session.Load());
    EXPECT_EQ(session.LoadedUpper(), L"\u00A7");
    session.BeginUndo();
    session.Ok();
    EXPECT_EQ(Saved(), unchanged);
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
    DimensionSession session(Id(kMText));
    EXPECT_FALSE(session.Load());
    EXPECT_EQ(alerts, std::vector<std::wstring>{kCannotReadMessage});
    EXPECT_EQ(session.LoadedUpper(), L"");
}

}  // namespace
}  // namespace tarsil
