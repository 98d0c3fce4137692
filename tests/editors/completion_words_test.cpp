// The word sources of completion: words.ini and the drawing's texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "cadhost/apdoc/docmanager.h"
#include "cadhost/db/acdb_all.h"
#include "cadhost/editor/host.h"
#include "editors/completion/drawing_words.h"
#include "editors/completion/word_list_file.h"
#include "host/layer/drawing_strings.h"
#include "tests/fonts/test_support.h"

namespace tarsil::editors {
namespace {

using Words = std::vector<std::wstring>;
namespace fs = std::filesystem;

TEST(WordListFile, LinesBecomeWords) {
    const struct {
        std::string bytes;
        Words words;
    } cases[] = {
        {"", {}},
        {"one\r\ntwo\r\n", {L"one", L"two"}},
        {"one\r\ntwo", {L"one", L"two"}},  // a last line without line end
        {"\r\n\r\none\r\r\n\ntwo\n", {L"one", L"two"}},
        {" x \r\nx\r\nx\r\n", {L" x ", L"x", L"x"}},  // no trimming, repeats kept
        {"\xF9\xEC\xE5\xED\r\n", {L"\u00F9\u00EC\u00E5\u00ED"}},
    };
    for (const auto& c : cases) EXPECT_EQ(SplitWordList(c.bytes), c.words) << c.bytes;
    EXPECT_EQ(JoinWordList({L"one", L"\u00E0b", L"\u20AC"}),
              "one\r\n\xE0"
              "b\r\n?\r\n");
    EXPECT_EQ(JoinWordList({}), "");
}

class WordListFileTest : public ::testing::Test {
  protected:
    TempFolder folder_;
    const fs::path& dir_ = folder_.path();
};

// (Written and read back through the completion dialog.)
TEST_F(WordListFileTest, AMissingFileHasNoWordsAndOneThatCannotBeReplacedKeepsWhatItHad) {
    EXPECT_EQ(ReadWordList(dir_ / kWordListFileName), Words{});
    EXPECT_FALSE(WriteWordList(dir_ / "missing" / kWordListFileName, {L"a"}));
    EXPECT_EQ(ReadWordList(dir_), Words{});  // a folder is no word list
    // words.ini is a folder: it cannot be replaced, and stays as it was.
    const fs::path blocked = dir_ / kWordListFileName;
    fs::create_directory(blocked);
    std::ofstream(blocked / "inside") << "x";
    std::string error;
    EXPECT_FALSE(WriteWordList(blocked, {L"a"}, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ReadBytes(blocked / "inside"), "x");
}

TEST(DrawingWords, MTextParagraphsAndTextStrings) {
    const Words mtexts = {
        L"  first\\Psecond \r\n",    // two paragraphs, blanks and line ends taken off
        L"\\Pabc\\Pabcd\\P",         // empty and short pieces skipped
        L"{\\fArial;bold}\\Pfirst",  // other codes stay in the word; "first" is taken
    };
    const Words texts = {L"abc", L"ab", L"file", L"second", L"abc", L" spaced "};
    EXPECT_EQ(DrawingWordsOf(mtexts, texts, {L"file"}),
              (Words{L"first", L"second", L"abcd", L"{\\fArial;bold}", L"abc", L" spaced "}));
    EXPECT_EQ(DrawingWordsOf({}, {}, {}), Words{});
}

TEST(DrawingWords, DosLettersBecomeWindowsLetters) {
    const Words words = DrawingWordsOf({L"\u0080\u0081\u0082\u0083"}, {L"\u0080\u0081\u0082"}, {});
    ASSERT_EQ(words.size(), 2u);
    for (std::wstring word : words) {
        std::sort(word.begin(), word.end());
        EXPECT_EQ(word, std::wstring(L"\u00E0\u00E1\u00E2\u00E3").substr(0, word.size()));
    }
}

class DrawingStringsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        cadhost::resetHost();
        ASSERT_NE(acDocManagerPtr()->newDocument(), nullptr);
    }
    void TearDown() override { cadhost::resetHost(); }
    static void Append(AcDbEntity* entity) {
        AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
        AcDbBlockTable* table = nullptr;
        AcDbObjectId space;
        ASSERT_EQ(db->getBlockTable(table), Acad::eOk);
        table->getAt(ACDB_MODEL_SPACE, space);
        table->close();
        AcDbBlockTableRecord* record = nullptr;
        ASSERT_EQ(acdbOpenObject(record, space, AcDb::kForWrite), Acad::eOk);
        AcDbObjectId id;
        ASSERT_EQ(record->appendAcDbEntity(id, entity), Acad::eOk);
        entity->close();
        record->close();
    }
};

TEST_F(DrawingStringsTest, EveryTextOfTheKindInTheDrawing) {
    EXPECT_EQ(layer::AllTextStrings(layer::TextKind::kText), Words{});
    Append(new AcDbText(AcGePoint3d(0, 0, 0), L"plan"));
    auto* mtext = new AcDbMText;
    mtext->setContents(L"floor one\\Pfloor two");
    Append(mtext);
    Append(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0)));
    Append(new AcDbText(AcGePoint3d(0, 5, 0), L"key"));
    EXPECT_EQ(layer::AllTextStrings(layer::TextKind::kText), (Words{L"plan", L"key"}));
    EXPECT_EQ(CollectDrawingWords({L"plan"}), (Words{L"floor one", L"floor two", L"key"}));
}

}  // namespace
}  // namespace tarsil::editors
