// LIST shows what an entity holds, names, layers and strings read through
// the drawing's code page; an unknown code page is named at open.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cadhost/db/store.h"
#include "host_fixture.h"

namespace {
namespace fs = std::filesystem;

const std::string kCorpus = std::string(TARSIL_SOURCE_DIR) + "/tests/data/drawings/";

std::string narrow(const std::wstring& s) {
    std::string out;
    for (wchar_t c : s) out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

class ListTest : public HostTest {
  protected:
    void open(const std::string& path) {
        ASSERT_NE(acDocManagerPtr()->openDocument(path), nullptr) << path;
        out.clear();
    }
    void list(const std::wstring& handle) {
        out.clear();
        run({L"LIST", handle, L""});
    }
};

TEST_F(ListTest, ABlockReferenceNamesItsBlockAndItsAttributes) {
    open(kCorpus + "r2018_ansi1255.dxf");
    list(L"3D");
    // Layer קירות, attribute value מטבח: Hebrew of an R2018 drawing in ANSI_1255.
    EXPECT_TRUE(
        printed(L"INSERT  Layer: \"\x05e7\x05d9\x05e8\x05d5\x05ea\"  Space: Model space  "
                L"Handle = 3D"))
        << narrow(out);
    EXPECT_TRUE(printed(L"Block name: \"ROOM\"\n    at point, X=10.0000  Y=10.0000"));
    EXPECT_TRUE(
        printed(L"Attribute \"NAME\"  Value: \"\x05de\x05d8\x05d1\x05d7\"  Layer: "
                L"\"\x05e7\x05d9\x05e8\x05d5\x05ea\"  Handle = 3F"))
        << narrow(out);
    EXPECT_TRUE(printed(L"Attribute \"NUMBER\"  Value: \"12\""));
    EXPECT_LT(out.find(L"\"NAME\""), out.find(L"\"NUMBER\"")) << "in the order stored";
}

TEST_F(ListTest, LayerAndStyleNamesGoThroughTheCodePageInEveryVersion) {
    struct Case {
        const char* file;
        const wchar_t* handle;
        const wchar_t* shown;
    } cases[] = {
        // R12, bytes of ANSI_1255: layer שכבה, text שלום.
        {"r12_ansi1255.dxf", L"2E", L"TEXT  Layer: \"\x05e9\x05db\x05d1\x05d4\""},
        {"r12_ansi1255.dxf", L"2E", L"text \"\x05e9\x05dc\x05d5\x05dd\""},
        // R13 in ANSI_1254, through iconv: Ağaç şişe.
        {"r13_ansi1254.dxf", L"30",
         L"text \"A\x011f"
         L"a\x00e7 \x015fi\x015f"
         L"e\""},
        // R14 in ANSI_932, two bytes a character: layer 壁, text 日本語の文字.
        {"r14_ansi932.dxf", L"30", L"Layer: \"\x58c1\""},
        {"r14_ansi932.dxf", L"30", L"text \"\x65e5\x672c\x8a9e\x306e\x6587\x5b57\""},
        // R2000 in ANSI_1251, one of the host's own tables: layer Слой.
        {"r2000_ansi1251.dxf", L"30", L"Layer: \"\x0421\x043b\x043e\x0439\""},
        // R2004 in DOS850, through iconv: Größe ½, ö being byte 0x94.
        {"r2004_dos850.dxf", L"2F",
         L"text \"Gr\x00f6\x00df"
         L"e \x00bd\""},
        // R2013 in ANSI_1256, through iconv: layer طبقة, text مرحبا.
        {"r2013_ansi1256.dxf", L"30", L"Layer: \"\x0637\x0628\x0642\x0629\""},
        {"r2013_ansi1256.dxf", L"30", L"text \"\x0645\x0631\x062d\x0628\x0627\""},
    };
    for (const Case& c : cases) {
        open(kCorpus + c.file);
        list(c.handle);
        EXPECT_TRUE(printed(c.shown)) << c.file << ": " << narrow(out);
        EXPECT_TRUE(printed(L"Style = \"Standard\"  Font file = txt"))
            << c.file << ": " << narrow(out);
    }
}

TEST_F(ListTest, EveryCodePageOfTheFormatIsRead) {
    // Expected characters from the code pages' published charts.
    struct Case {
        const char* codePage;
        const wchar_t* stored;
        const wchar_t* shown;
    } cases[] = {
        {"ANSI_1255", L"\x00e0\x00fa 12 \x0080\x0081\x0001",
         L"\"\x05d0\x05ea 12 \\x80\\x81\\x01\""},
        {"DOS862", L"\x0080\x009a", L"\"\x05d0\x05ea\""},
        {"DOS850",
         L"K\x0081"
         L"che",
         L"\"K\x00fc"
         L"che\""},
        {"ANSI_1254", L"\x00d0", L"\"\x011e\""},
        {"ANSI_1257", L"\x00c0", L"\"\x0104\""},
        {"ANSI_1258", L"\x00c3", L"\"\x0102\""},
        {"ANSI_874", L"\x00a1", L"\"\x0e01\""},
        {"DOS866", L"\x0080\x00af", L"\"\x0410\x043f\""},
        {"ISO8859-5", L"\x00b0\x0085", L"\"\x0410\\x85\""},
        {"MACINTOSH", L"\x00e9\x0085", L"\"\x00c8\x00d6\""},
        // Multi-byte pages: a lead byte and its trail byte make one
        // character; a lead byte left alone at the end stays a byte.
        {"ANSI_932", L"\x0093\x00fa\x0082\x00a0\x0082", L"\"\x65e5\x3042\\x82\""},
        {"DOS932", L"\x0093\x00fa", L"\"\x65e5\""},
        {"ANSI_949", L"\x00b0\x00a1", L"\"\xac00\""},
        {"BIG5", L"\x00a4\x00a4", L"\"\x4e2d\""},
        {"GB2312", L"\x00d6\x00d0", L"\"\x4e2d\""},
        // Nothing above 0x7F in ASCII; an unknown page reads Latin-1.
        {"ASCII", L"\x00e9", L"\"\\xE9\""},
        {"ANSI_9999", L"\x00e9\x0085", L"\"\x00e9\\x85\""},
    };
    for (const Case& c : cases) {
        db()->store_().setHeaderValue("$DWGCODEPAGE", 3, c.codePage);
        const AcDbObjectId id = addText(0, 0, c.stored);
        list(handleOf(id));
        EXPECT_TRUE(printed(std::wstring(L"text ") + c.shown)) << c.codePage << ": " << narrow(out);
    }
}

TEST_F(ListTest, AnUnknownCodePageIsNamedOnceAtOpen) {
    std::ifstream in(kCorpus + "r12_nohandles_crlf.dxf", std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    std::string text = bytes.str();
    const std::string known = "ANSI_1252";
    text.replace(text.find(known), known.size(), "ANSI_7777");
    const fs::path file = fs::temp_directory_path() / ("unknown_cp_" + std::to_string(::getpid()));
    std::ofstream(file, std::ios::binary) << text;

    out.clear();
    ASSERT_NE(acDocManagerPtr()->openDocument(file), nullptr);
    fs::remove(file);
    run({L"LIST", L"ALL", L""});
    const std::wstring message = L"Code page \"ANSI_7777\" is unknown";
    ASSERT_TRUE(printed(message)) << narrow(out);
    EXPECT_EQ(out.find(message), out.rfind(message)) << "named once";
    EXPECT_TRUE(printed(L"text \"Caf\x00e9\"")) << "read as Latin-1";

    out.clear();
    ASSERT_NE(acDocManagerPtr()->openDocument(kCorpus + "r2004_dos850.dxf"), nullptr);
    ASSERT_NE(acDocManagerPtr()->openDocument(kCorpus + "r12_ansi1255.dxf"), nullptr);
    EXPECT_FALSE(printed(L"is unknown")) << "iconv and own tables are known";
}

}  // namespace
