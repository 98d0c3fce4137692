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

std::wstring firstText(AcDbDatabase& db) {
    AcDbText* t = nullptr;
    if (acdbOpenObject(t, firstOf(db, "TEXT"), AcDb::kForRead) != Acad::eOk) return L"<none>";
    std::wstring s = t->textStringConst();
    t->close();
    return s;
}

void setFirstText(AcDbDatabase& db, const std::wstring& s) {
    AcDbText* t = nullptr;
    ASSERT_EQ(acdbOpenObject(t, firstOf(db, "TEXT"), AcDb::kForWrite), Acad::eOk);
    t->setTextString(s.c_str());
    t->close();
}

}  // namespace

TEST(Strings, LegacyBytesAreCharactersOfTheSameValue) {
    AcDbDatabase db(false);
    ASSERT_EQ(db.readDxfBuffer(drawing("AC1015", "ANSI_1255", "\x82\x81\x80 \xE0\\U+05D0")),
              Acad::eOk);
    EXPECT_EQ(firstText(db), L"\x82\x81\x80 \xE0\\U+05D0");
    setFirstText(db, L"\xE1\x80 \x05D1");  // a character above U+00FF is escaped
    EXPECT_NE(saved(db).find("  1\n\xE1\x80 \\U+05D1\n"), std::string::npos);
}

TEST(Strings, Utf8CharactersOfTheCodePageBecomeItsBytes) {
    AcDbDatabase db(false);
    // א (U+05D0), € (U+20AC, byte 0x80 of 1255), U+0081 (undefined there), é (not in 1255).
    std::string raw = "\xD7\x90\xE2\x82\xAC\xC2\x81\xC3\xA9\\U+05D1";
    ASSERT_EQ(db.readDxfBuffer(drawing("AC1032", "ANSI_1255", raw)), Acad::eOk);
    EXPECT_EQ(firstText(db), L"\xE0\x80\x81\x00E9\\U+05D1");
    EXPECT_EQ(saved(db).find(raw) != std::string::npos, true);
    setFirstText(db, L"\xE0\xE1\x80\x81");
    EXPECT_NE(saved(db).find("  1\n\xD7\x90\xD7\x91\xE2\x82\xAC\xC2\x81\n"), std::string::npos);
}

TEST(Strings, UnknownCodePageMapsNothingAndBadUtf8IsTakenBytewise) {
    AcDbDatabase db(false);
    ASSERT_EQ(db.readDxfBuffer(drawing("AC1021", "ANSI_9999", "\xD7\x90\xFF")), Acad::eOk);
    EXPECT_EQ(firstText(db), L"\x05D0\xFF");
}

TEST(Strings, ControlCharactersTravelAsCaretCodes) {
    AcDbDatabase db(false);
    ASSERT_EQ(db.readDxfBuffer(drawing("AC1015", "ANSI_1252", "a^Jb^ c")), Acad::eOk);
    EXPECT_EQ(firstText(db), L"a\nb^c");
    setFirstText(db, L"x\ty^");
    EXPECT_NE(saved(db).find("  1\nx^Iy^ \n"), std::string::npos);
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
