// Loading and saving keeps every byte; a change touches only its groups.
#include <filesystem>
#include <sstream>

#include "tests/cadhost_db/db_fixture.h"

using namespace cadhost_test;

using Samples = SampleTest;

TEST_P(Samples, UnchangedDrawingSavesByteIdentical) {
    EXPECT_EQ(saved(db), original);
}

TEST_P(Samples, ChangedTextDiffersOnlyInItsStringLine) {
    AcDbText* text = nullptr;
    ASSERT_EQ(acdbOpenObject(text, firstOf(db, "TEXT", 1), AcDb::kForWrite), Acad::eOk);
    text->setTextString(L"changed \x00E0\x00E1");
    text->close();
    std::istringstream before(original), after(saved(db));
    std::string a, b, previous;
    int differing = 0;
    while (std::getline(before, a) && std::getline(after, b)) {
        if (a != b) {
            EXPECT_EQ(previous, "  1") << "only the value of the string group";
            ++differing;
        }
        previous = a;
    }
    EXPECT_EQ(differing, 1);
    EXPECT_TRUE(before.eof() && !std::getline(after, b)) << "as many lines";
}

TEST_P(Samples, SettingTheSameValuesAgainChangesNothing) {
    AcDbText* text = nullptr;
    ASSERT_EQ(acdbOpenObject(text, firstOf(db, "TEXT"), AcDb::kForWrite), Acad::eOk);
    std::wstring s = text->textStringConst();
    AcGePoint3d p = text->position();
    double h = text->height();
    text->setTextString(L"something else");
    text->setTextString(s.c_str());
    text->setPosition(p);
    text->setHeight(h);
    text->close();
    EXPECT_EQ(saved(db), original);
}

INSTANTIATE_TEST_SUITE_P(All, Samples, ::testing::ValuesIn(kSamples));

TEST(Lossless, CrlfLineEndsAndUnpaddedCodesAreKept) {
    std::string dxf =
        "0\r\nSECTION\r\n2\r\nHEADER\r\n9\r\n$ACADVER\r\n1\r\nAC1009\r\n9\r\n$HANDSEED\r\n5\r\n"
        "20\r\n0\r\nENDSEC\r\n0\r\nSECTION\r\n2\r\nENTITIES\r\n0\r\nTEXT\r\n5\r\n1F\r\n8\r\n0\r\n"
        "10\r\n1\r\n20\r\n2\r\n30\r\n0\r\n40\r\n2.5\r\n1\r\nabc\r\n0\r\nENDSEC\r\n0\r\nEOF\r\n";
    AcDbDatabase db(false);
    ASSERT_EQ(db.readDxfBuffer(dxf), Acad::eOk) << db.lastErrorMessage();
    EXPECT_EQ(saved(db), dxf);
    AcDbText* text = nullptr;
    ASSERT_EQ(acdbOpenObject(text, firstOf(db, "TEXT"), AcDb::kForWrite), Acad::eOk);
    text->setTextString(L"xyz");
    text->setRotation(0.5);  // a group the text did not have
    text->setHeight(3);      // a whole real is still written as a real
    text->close();
    std::string out = saved(db);
    EXPECT_NE(out.find("40\r\n3.0\r\n"), std::string::npos) << out;
    EXPECT_NE(out.find("1\r\nxyz\r\n50\r\n28.64788975654116\r\n0\r\nENDSEC"), std::string::npos)
        << out;
}

TEST(Lossless, TrailingBytesAfterEofAreKept) {
    std::string dxf = "  0\nSECTION\n  2\nENTITIES\n  0\nENDSEC\n  0\nEOF\n\n\x1a";
    AcDbDatabase db(false);
    ASSERT_EQ(db.readDxfBuffer(dxf), Acad::eOk) << db.lastErrorMessage();
    EXPECT_EQ(saved(db), dxf);
}

namespace {
std::string hex(const AcDbHandle& handle) {
    char buffer[20];
    handle.getIntoAsciiBuffer(buffer);
    return buffer;
}
// The value of a header variable that has one group, in saved text.
std::string headerValue(const std::string& dxf, const std::string& name) {
    const auto start = dxf.find('\n', dxf.find("\n" + name + "\n") + name.size() + 2) + 1;
    return dxf.substr(start, dxf.find('\n', start) - start);
}
}  // namespace

TEST(NewEntities, GetFreshHandlesOwnerAndMarkersAndHandseedFollows) {
    AcDbDatabase db(false);
    ASSERT_EQ(db.readDxfFile(std::filesystem::path(samplePath("hebrew_r2018.dxf"))), Acad::eOk);
    const std::string seed = headerValue(saved(db), "$HANDSEED");
    ASSERT_FALSE(seed.empty());
    const AcDbObjectId id =
        append(db, new AcDbText(AcGePoint3d(1, 2, 0), L"\x00E0\x00E1", AcDbObjectId(), 0.0, 0.0));
    EXPECT_EQ(hex(id.handle()), seed);
    AcDbText* text = nullptr;
    ASSERT_EQ(acdbOpenObject(text, id, AcDb::kForRead), Acad::eOk);
    EXPECT_DOUBLE_EQ(text->height(), db.textsize());  // the drawing's current height
    text->close();

    const std::string out = saved(db);
    EXPECT_EQ(headerValue(out, "$HANDSEED"), hex(AcDbHandle(std::stoull(seed, nullptr, 16) + 1)));
    const std::size_t pos = out.find("  0\nTEXT\n  5\n" + seed + "\n330\n" +
                                     hex(spaceId(db, ACDB_MODEL_SPACE).handle()) +
                                     "\n100\nAcDbEntity\n  8\n0\n100\nAcDbText\n");
    ASSERT_NE(pos, std::string::npos) << out.substr(out.size() - 2000);
    // The new text is the last entity; its Windows-layout bytes are Hebrew
    // letters in the UTF-8 file of a Hebrew code page.
    EXPECT_LT(out.find("\xD7\x90\xD7\x91", pos), out.find("ENDSEC", pos));
    EXPECT_LT(pos, out.find("OBJECTS"));
}

// Appended to paper space of an R12 drawing, which has no MText: the block
// must be open for write and the entity new; the text is flagged and has
// no subclass markers.
TEST(NewEntities, PaperSpaceTextInR12HasNoMarkersAndIsFlagged) {
    AcDbDatabase db(false);
    ASSERT_EQ(db.readDxfFile(std::filesystem::path(samplePath("hebrew_r12.dxf"))), Acad::eOk);
    AcDbBlockTableRecord* paper = nullptr;
    ASSERT_EQ(acdbOpenObject(paper, spaceId(db, ACDB_PAPER_SPACE), AcDb::kForRead), Acad::eOk);
    AcDbObjectId id;
    auto* created = new AcDbText(AcGePoint3d(), L"P");
    EXPECT_EQ(paper->appendAcDbEntity(id, created), Acad::eNotOpenForWrite);
    ASSERT_EQ(paper->upgradeOpen(), Acad::eOk);
    ASSERT_EQ(paper->appendAcDbEntity(id, created), Acad::eOk);
    AcDbObjectId other;
    EXPECT_EQ(paper->appendAcDbEntity(other, created), Acad::eAlreadyInDb);
    EXPECT_EQ(paper->appendAcDbEntity(other, nullptr), Acad::eNullObjectPointer);
    created->close();
    AcDbMText mtext;
    EXPECT_EQ(paper->appendAcDbEntity(other, &mtext), Acad::eNotApplicable);
    paper->close();
    AcDbText* text = nullptr;
    ASSERT_EQ(acdbOpenObject(text, id, AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(text->isInPaperSpace());
    EXPECT_EQ(text->ownerId(), spaceId(db, ACDB_PAPER_SPACE));
    text->close();
    const std::string out = saved(db);
    const std::size_t pos = out.rfind("  0\nTEXT\n");
    const std::string tail = out.substr(pos, out.find("ENDSEC", pos) - pos);
    EXPECT_EQ(tail.find("AcDb"), std::string::npos) << tail;
    EXPECT_NE(tail.find(" 67\n1\n"), std::string::npos) << tail;
    EXPECT_EQ(tail.find("\nTEXT\n", 5), std::string::npos) << "appended once";
}
