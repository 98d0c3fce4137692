// Bad input gives a clear error naming the line; nothing is changed or written.
#include <filesystem>

#include "tests/cadhost_db/db_fixture.h"

using namespace cadhost_test;

namespace {

std::string replaced(std::string s, const std::string& from, const std::string& to) {
    s.replace(s.find(from), from.size(), to);
    return s;
}

struct BadCase {
    const char* name;
    std::string bytes;
    const char* expected;  // part of the message
};

}  // namespace

class BadInput : public ::testing::TestWithParam<BadCase> {};

TEST_P(BadInput, IsRefusedWithAMessageAndLeavesTheDatabaseAsItWas) {
    AcDbDatabase db(false);
    ASSERT_EQ(db.readDxfBuffer(kGood, "good.dxf"), Acad::eOk) << db.lastErrorMessage();
    EXPECT_NE(db.readDxfBuffer(GetParam().bytes, "bad.dxf"), Acad::eOk);
    EXPECT_NE(db.lastErrorMessage().find(GetParam().expected), std::string::npos)
        << db.lastErrorMessage();
    EXPECT_EQ(db.lastErrorMessage().rfind("bad.dxf: ", 0), 0u) << db.lastErrorMessage();
    EXPECT_EQ(saved(db), kGood);
}

INSTANTIATE_TEST_SUITE_P(
    All, BadInput,
    ::testing::Values(
        BadCase{"empty", "", "empty file"},
        BadCase{"crAlone", "  0\rSECTION\r  2\rHEADER\r  0\rENDSEC\r  0\rEOF\r",
                "lines end in CR alone"},
        BadCase{"binary", std::string("AutoCAD Binary DXF\r\n\x1a\0", 22), "binary DXF"},
        BadCase{"dwg", std::string("AC1032\0\0\0\0\0\x01", 12), "DWG files are not supported"},
        BadCase{"truncatedAtEnd", kGood.substr(0, kGood.find("EOF") - 4), "line 24: missing EOF"},
        BadCase{"badcode", replaced(kGood, " 10\n", "1x\n"), "line 19: bad group code \"1x\""},
        BadCase{"codeRange", replaced(kGood, " 10\n", "1072\n"), "line 19: group code 1072"},
        BadCase{"noEndsec", replaced(kGood, "  0\nENDSEC\n  0\nEOF", "  0\nEOF"),
                "line 23: section ENTITIES (started at line 11) has no ENDSEC"},
        BadCase{"oddLines", replaced(kGood, "  0\nEOF\n", "  0\n"),
                "line 25: group code 0 has no value line"},
        BadCase{"realRange", replaced(kGood, "0.0\n", "1e999\n"), "out of range"},
        // The ends of the kinds' code ranges and of the 16-bit range.
        BadCase{"lastRealCode", replaced(kGood, " 70\n1\n", " 59\nx\n"),
                "line 22: value \"x\" of group code 59 is not a number"},
        BadCase{"firstInt16Code", replaced(kGood, " 70\n1\n", " 60\n1.5\n"),
                "line 22: value \"1.5\" of group code 60 is not an integer"},
        BadCase{"int16Edge", replaced(kGood, " 70\n1\n", " 70\n32768\n"),
                "line 22: value \"32768\" of group code 70 is out of range"},
        BadCase{"version", replaced(kGood, "AC1015", "AC1040"), "unsupported drawing version"},
        BadCase{"outside", "  0\nLINE\n  0\nEOF\n", "line 1: entity \"LINE\" outside any section"},
        BadCase{"nested", replaced(kGood, "  0\nLINE\n", "  0\nSECTION\n  2\nX\n"),
                "SECTION inside section ENTITIES"},
        BadCase{"nul", replaced(kGood, "2A\n", std::string("2\0A\n", 4)), "line 18: NUL byte"}),
    [](const ::testing::TestParamInfo<BadCase>& info) { return std::string(info.param.name); });

// A file the system cannot read is named with the system's reason.
TEST(Files, AnUnreadableFileIsReportedWithItsReason) {
    const struct {
        const char *path, *reason;
    } cases[] = {{"/nonexistent/x.dxf", ": cannot open: No such file or directory"},
                 {TARSIL_SOURCE_DIR, ": cannot read: Is a directory"},
                 {"/proc/self/mem", ": cannot read: Input/output error"}};
    for (const auto& [path, reason] : cases) {
        AcDbDatabase db(false);
        EXPECT_NE(db.readDxfFile(std::filesystem::path(path)), Acad::eOk);
        EXPECT_EQ(db.lastErrorMessage(), std::string(path) + reason);
    }
    EXPECT_EQ(AcDbDatabase(false).readDxfFile(std::filesystem::path("/x.dxf")),
              Acad::eFileNotFound);
}

TEST(GoodInput, ValuesAtTheEdgesOfTheirRangesAPlusSignALeadingCommentAndAByteOrderMarkLoad) {
    for (const char* value :
         {" 70\n32767\n", " 70\n-32768\n", " 70\n+3\n", " 40\n+1.5\n", "1071\n-5\n"}) {
        AcDbDatabase db(false);
        EXPECT_EQ(db.readDxfBuffer(replaced(kGood, " 70\n1\n", value)), Acad::eOk)
            << value << db.lastErrorMessage();
    }
    AcDbDatabase db(false);
    EXPECT_EQ(db.readDxfBuffer("999\nmade by hand\n" + kGood), Acad::eOk) << db.lastErrorMessage();
    // A UTF-8 byte order mark is read past and written back.
    const std::string marked = "\xEF\xBB\xBF" + kGood;
    ASSERT_EQ(db.readDxfBuffer(marked), Acad::eOk) << db.lastErrorMessage();
    EXPECT_EQ(saved(db), marked);
}
