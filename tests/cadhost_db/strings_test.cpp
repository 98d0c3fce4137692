// Strings: bytes before AC1021, UTF-8 with the code page from AC1021 on.
#include "cadhost/dxf/codepage.h"
#include "cadhost/rx/wide.h"
#include "tests/cadhost_db/db_fixture.h"

using namespace cadhost_test;
using cadhost::dxf::StringCodec;

namespace {

std::string drawing(const std::string& version, const std::string& codepage,
                    const std::string& text) {
    return "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\n" + version +
           "\n  9\n$DWGCODEPAGE\n  3\n" + codepage +
           "\n  9\n$HANDSEED\n  5\n30\n  0\nENDSEC\n  0\nSECTION\n  2\nENTITIES\n  0\nTEXT\n  "
           "5\n2F\n  8\n0\n 10\n0.0\n 20\n0.0\n 30\n0.0\n 40\n1.0\n  1\n" +
           text + "\n  0\nENDSEC\n  0\nEOF\n";
}

}  // namespace

// Each drawing's text is read as its characters and saved back unchanged;
// set to new characters, it is written in the drawing's own way.
TEST(Strings, ReadAndWrittenAsTheDrawingStoresThem) {
    const struct {
        const char *version, *page;
        std::string stored;
        std::wstring read, set;
        std::string written;
    } cases[] = {// Before AC1021 a byte is the character of the same value; one above
                 // U+00FF is escaped.
                 {"AC1015", "ANSI_1255", "\x82\x81\x80 \xE0\\U+05D0", L"\x82\x81\x80 \xE0\\U+05D0",
                  L"\xE1\x80 \x05D1", "\xE1\x80 \\U+05D1"},
                 // UTF-8 from AC1021, the code page's characters its bytes: alef, the
                 // euro (0x80 of 1255), U+0081 (undefined there), e acute (not in it).
                 {"AC1032", "ANSI_1255", "\xD7\x90\xE2\x82\xAC\xC2\x81\xC3\xA9\\U+05D1",
                  L"\xE0\x80\x81\x00E9\\U+05D1", L"\xE0\xE1\x80\x81",
                  "\xD7\x90\xD7\x91\xE2\x82\xAC\xC2\x81"},
                 // An unknown code page maps nothing; bad UTF-8 is taken bytewise.
                 {"AC1021", "ANSI_9999", "\xD7\x90\xFF", L"\x05D0\xFF", L"\x05D0", "\xD7\x90"},
                 // Control characters travel as caret codes.
                 {"AC1015", "ANSI_1252", "a^Jb^ c", L"a\nb^c", L"x\ty^", "x^Iy^ "}};
    for (const auto& c : cases) {
        AcDbDatabase db(false);
        const std::string bytes = drawing(c.version, c.page, c.stored);
        ASSERT_EQ(db.readDxfBuffer(bytes), Acad::eOk) << db.lastErrorMessage();
        AcDbText* t = nullptr;
        ASSERT_EQ(acdbOpenObject(t, firstOf(db, "TEXT"), AcDb::kForRead), Acad::eOk);
        EXPECT_EQ(std::wstring(t->textStringConst()), c.read) << c.stored;
        t->close();
        EXPECT_EQ(saved(db), bytes);
        ASSERT_EQ(acdbOpenObject(t, firstOf(db, "TEXT"), AcDb::kForWrite), Acad::eOk);
        t->setTextString(c.set.c_str());
        t->close();
        EXPECT_NE(saved(db).find("  1\n" + c.written + "\n"), std::string::npos) << c.written;
    }
}

TEST(Strings, CodecRoundTripsEveryByteInEveryKnownCodePage) {
    for (const char* page :
         {"ANSI_1252", "ANSI_1255", "DOS862", "ANSI_1251", "ANSI_1253", "ANSI_1250"}) {
        StringCodec codec(true, page);
        std::wstring all;
        for (wchar_t c = 1; c < 0x100; ++c) all += c;
        EXPECT_EQ(codec.decode(codec.encode(all)), all) << page;
    }
    StringCodec dos(true, "DOS862");
    EXPECT_EQ(dos.encode(L"\x80"), "\xD7\x90");  // the DOS code page has the letters at 0x80
}

TEST(Utf8, MalformedBytesStandForThemselvesAndRoundTripsKeepCharacters) {
    // An overlong NUL, a lone surrogate, a cut sequence and a stray
    // continuation byte are no characters: each byte reads as itself.
    EXPECT_EQ(cadhost::fromUtf8("\xC0\x80"), L"\x00C0\x0080");
    EXPECT_EQ(cadhost::fromUtf8("\xED\xA0\x80"), L"\x00ED\x00A0\x0080");
    EXPECT_EQ(cadhost::fromUtf8("a\xD7"), L"a\x00D7");
    EXPECT_EQ(cadhost::fromUtf8("\x80z"), L"\x0080z");
    const std::wstring text = L"\x05D0\x05D1 \x20AC \U0001F600 \x00E9";
    EXPECT_EQ(cadhost::fromUtf8(cadhost::toUtf8(text)), text);
    EXPECT_EQ(cadhost::toUtf8(std::wstring(1, static_cast<wchar_t>(0xD800))), "\xEF\xBF\xBD")
        << "a surrogate cannot be written";
}
