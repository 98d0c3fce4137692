// LIST shows what an entity holds, names, layers and strings read through
// the drawing's code page; an unknown code page is named at open.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cadhost/db/store.h"
#include "host_fixture.h"

namespace {
const std::string kCorpus = std::string(TARSIL_SOURCE_DIR) + "/tests/data/drawings/";

class ListTest : public HostTest {
  protected:
    void list(const std::string& file, const std::wstring& handle) {
        ASSERT_NE(acDocManagerPtr()->openDocument(kCorpus + file), nullptr) << file;
        out.clear();
        run({L"LIST", handle, L""});
    }
    std::string shown() const { return std::string(out.begin(), out.end()); }  // for messages
};

TEST_F(ListTest, ABlockReferenceNamesItsBlockAndItsAttributes) {
    list("r2018_ansi1255.dxf", L"3D");
    // Layer קירות, attribute value מטבח: Hebrew of an R2018 drawing in ANSI_1255.
    const std::wstring layer = L"\"\x05e7\x05d9\x05e8\x05d5\x05ea\"";
    EXPECT_TRUE(printed(L"INSERT  Layer: " + layer + L"  Space: Model space  Handle = 3D"));
    EXPECT_TRUE(printed(L"Block name: \"ROOM\"\n    at point, X=10.0000  Y=10.0000"));
    EXPECT_TRUE(printed(L"Attribute \"NAME\"  Value: \"\x05de\x05d8\x05d1\x05d7\"  Layer: " +
                        layer + L"  Handle = 3F"));
    EXPECT_LT(out.find(L"\"NAME\""), out.find(L"Attribute \"NUMBER\"  Value: \"12\""));
}

TEST_F(ListTest, NamesAndStringsGoThroughTheCodePageInEveryVersion) {
    const struct {
        const char* file;
        const wchar_t* shown;
    } cases[] = {
        // R12 in ANSI_1255, our table: layer שכבה.
        {"r12_ansi1255.dxf", L"Layer: \"\x05e9\x05db\x05d1\x05d4\""},
        // R14 in ANSI_932, two bytes a character: 日本語の文字.
        {"r14_ansi932.dxf", L"text \"\x65e5\x672c\x8a9e\x306e\x6587\x5b57\""},
        // R2013 (UTF-8) in ANSI_1256 through iconv: layer طبقة.
        {"r2013_ansi1256.dxf", L"Layer: \"\x0637\x0628\x0642\x0629\""},
    };
    for (const auto& c : cases) {
        list(c.file, std::string(c.file) == "r12_ansi1255.dxf" ? L"2E" : L"30");
        EXPECT_TRUE(printed(c.shown)) << c.file << ": " << shown();
        EXPECT_TRUE(printed(L"Style = \"Standard\"  Font file = txt")) << c.file;
    }
}

TEST_F(ListTest, EveryCodePageOfTheFormatIsRead) {
    // Expected characters from the code pages' published charts.
    const struct {
        const char* codePage;
        const wchar_t *stored, *shown;
    } cases[] = {
        {"ANSI_1255", L"\xe0\xfa 1\x80\x81\x01", L"\"\x05d0\x05ea 1\\x80\\x81\\x01\""},
        {"DOS862", L"\x80\x9a", L"\"\x05d0\x05ea\""},
        {"DOS850", L"K\x81", L"\"K\xfc\""},
        {"ANSI_1254", L"\xd0", L"\"\x011e\""},
        {"ISO8859-5", L"\xb0\x85", L"\"\x0410\\x85\""},
        {"MACINTOSH", L"\xe9\x85", L"\"\xc8\xd6\""},
        // A lead byte and its trail byte make one character; a lead byte
        // alone at the end stays a byte.
        {"ANSI_932", L"\x93\xfa\x82\xa0\x82", L"\"\x65e5\x3042\\x82\""},
        {"ANSI_949", L"\xb0\xa1", L"\"\xac00\""},
        {"BIG5", L"\xa4\xa4", L"\"\x4e2d\""},
        {"ASCII", L"\xe9", L"\"\\xE9\""},              // nothing above 0x7F
        {"ANSI_9999", L"\xe9\x85", L"\"\xe9\\x85\""},  // unknown: Latin-1
    };
    for (const auto& c : cases) {
        db()->store_().setHeaderValue("$DWGCODEPAGE", 3, c.codePage);
        out.clear();
        run({L"LIST", handleOf(addText(0, 0, c.stored)), L""});
        EXPECT_TRUE(printed(std::wstring(L"text ") + c.shown)) << c.codePage << ": " << shown();
    }
}

TEST_F(ListTest, AnUnknownCodePageIsNamedOnceAtOpen) {
    std::ostringstream bytes;
    bytes << std::ifstream(kCorpus + "r12_nohandles_crlf.dxf", std::ios::binary).rdbuf();
    std::string text = bytes.str();
    text.replace(text.find("ANSI_1252"), 9, "ANSI_7777");
    const auto file = std::filesystem::temp_directory_path() / ("cp_" + std::to_string(::getpid()));
    std::ofstream(file, std::ios::binary) << text;
    out.clear();
    ASSERT_NE(acDocManagerPtr()->openDocument(file), nullptr);
    std::filesystem::remove(file);
    run({L"LIST", L"ALL", L""});
    const std::wstring message = L"Code page \"ANSI_7777\" is unknown";
    ASSERT_TRUE(printed(message)) << shown();
    EXPECT_EQ(out.find(message), out.rfind(message)) << "named once";
    EXPECT_TRUE(printed(L"text \"Caf\xe9\""));
    list("r2004_dos850.dxf", L"2F");  // DOS850 through iconv
    EXPECT_FALSE(printed(L"is unknown"));
}

}  // namespace
