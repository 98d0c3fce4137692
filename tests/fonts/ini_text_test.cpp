// The INI image in memory: lines read into sections, values looked up and
// changed, lines written back.
#include <gtest/gtest.h>

#include <memory>

#include "fonts/ini_file.h"
#include "tests/fonts/test_support.h"

namespace tarsil {
namespace {

using Keys = std::vector<std::wstring>;

// Opens a file with the given bytes, reading names with or without case.
class IniText : public ::testing::Test {
  protected:
    HIniEx& Load(const std::string& bytes, bool ignore_case = false) {
        WriteBytes(path_, bytes);
        ini_ = std::make_unique<HIniEx>();
        EXPECT_TRUE(ini_->Open(path_, false, false, ignore_case, false));
        return *ini_;
    }
    TempFolder folder_;
    std::filesystem::path path_ = folder_ / "v.ini";
    std::unique_ptr<HIniEx> ini_;
};

TEST(IniLines, AreReadIntoSectionsAndWrittenBackWithCrLf) {
    const struct {
        const char* read;
        const char* written;
    } cases[] = {
        // Lines before the first header form section 0, written without one.
        {"top=1\nabc\n[S]\nk=v\n", "top=1\r\nabc=\r\n[S]\r\nk=v\r\n"},
        // CR LF or LF; trailing white space and empty lines go, leading stays.
        {"[A]\r\nx=1 \t\r\n\r\n   \ny=2\n[B]  \r\nz= 3", "[A]\r\nx=1\r\ny=2\r\n[B]\r\nz= 3\r\n"},
        // An empty key writes the value alone; a section named "" has no header.
        {"[A]\n=v\n[]\nk=1\n", "[A]\r\nv\r\nk=1\r\n"},
        // Header names are not trimmed; "[x" is no header.
        {"[ F ]\nr=5\n[x\n", "[ F ]\r\nr=5\r\n[x=\r\n"},
        // Every byte is one character; a byte order mark is not removed.
        {"\xEF\xBB\xBFk=\xE0\xFA\x80\n", "\xEF\xBB\xBFk=\xE0\xFA\x80\r\n"},
        {";comment line\nk=v;c\nk=w\n", ";comment line=\r\nk=v;c\r\nk=w\r\n"},
    };
    for (const auto& c : cases) {
        HIniEx ini;
        ini.Parse(c.read);
        EXPECT_EQ(ini.Sections()[0].name, L" ");
        EXPECT_EQ(ini.Serialize(), c.written) << c.read;
        EXPECT_FALSE(ini.IsModified());
    }
    // A character beyond the byte range is written as "?".
    HIniEx bytes;
    bytes.SetValue(L"S", L"\u00e0", L"\u0080\u05d0\u00ff");
    EXPECT_EQ(bytes.Serialize(), "[S]\r\n\xE0=\x80?\xFF\r\n");
}

TEST_F(IniText, ValuesAreTheLastOfTheirKeyInTheFirstSectionFromTheFirstEqualsToTheComment) {
    HIniEx& ini =
        Load("[S]\nk=1\nk=2\nb=1\n[S]\nk=3\nonly=4\n[C]\na=2 ; two\nb=;5\nc=x;y;z\n d = e=f\n");
    EXPECT_EQ(ini.GetValue(L"S", L"k", L"-"), L"2");
    EXPECT_EQ(ini.GetValue(L"S", L"only", L"-"), L"-");
    EXPECT_EQ(ini.GetValue(L"Missing", L"k", L"dflt"), L"dflt");
    EXPECT_EQ(ini.GetKeys(L"S"), (Keys{L"k", L"k", L"b"}));
    EXPECT_TRUE(ini.GetKeys(L"T").empty());
    EXPECT_EQ(ini.GetValue(L"C", L"a", L""), L"2 ");
    EXPECT_EQ(ini.GetValue(L"C", L"b", L"-"), L"");
    EXPECT_EQ(ini.GetValue(L"C", L"c", L""), L"x;y");
    // Split at the first "=", neither side trimmed.
    EXPECT_EQ(ini.GetValue(L"C", L" d ", L""), L" e=f");
}

TEST_F(IniText, CaseMattersOnlyWithoutTheIgnoreCaseFlag) {
    for (bool ignore : {false, true}) {
        HIniEx& ini = Load("[General]\nKey=Value\n", ignore);
        EXPECT_EQ(ini.GetValue(L"general", L"Key", L"-"), ignore ? L"Value" : L"-");
        EXPECT_EQ(ini.GetValue(L"General", L"KEY", L"-"), ignore ? L"Value" : L"-");
        EXPECT_EQ(ini.GetKeys(L"GENERAL"), ignore ? Keys{L"Key"} : Keys{});
        // A change of case alone is no change when case is ignored, but is stored.
        const wchar_t* section = ignore ? L"GENERAL" : L"General";
        const wchar_t* key = ignore ? L"kEY" : L"Key";
        ini.SetValue(section, key, L"Value");
        EXPECT_FALSE(ini.IsModified());
        ini.SetValue(section, key, L"VALUE");
        EXPECT_EQ(ini.IsModified(), !ignore);
        EXPECT_EQ(ini.GetValue(L"General", L"Key", L""), L"VALUE");
        EXPECT_EQ(ini.DeleteSection(L"general"), ignore);
    }
}

TEST_F(IniText, SetValueReplacesTheLastOccurrenceOrAppends) {
    HIniEx& ini = Load("[S]\nk=1\nk=2\n");
    ini.SetValue(L"S", L"k", L"9");
    ini.SetValue(L"S", L"b", L"2");
    ini.SetValue(L"New", L"c", L"3");
    EXPECT_TRUE(ini.IsModified());
    EXPECT_EQ(ini.Serialize(), "[S]\r\nk=1\r\nk=9\r\nb=2\r\n[New]\r\nc=3\r\n");
}

TEST_F(IniText, DeleteSectionRemovesTheFirstOfThatNameAndOnlyEmptiesSectionZero) {
    HIniEx& ini = Load("top=1\n[F]\na=1\n[F]\nb=2\n");
    EXPECT_TRUE(ini.DeleteSection(L"F"));
    EXPECT_TRUE(ini.IsModified());
    EXPECT_EQ(ini.GetKeys(L"F"), Keys{L"b"});
    EXPECT_TRUE(ini.DeleteSection(L"F"));
    EXPECT_FALSE(ini.DeleteSection(L"F"));
    EXPECT_TRUE(ini.DeleteSection(L" "));
    ASSERT_EQ(ini.Sections().size(), 1u);
    EXPECT_EQ(ini.Sections()[0].name, L" ");
    EXPECT_TRUE(ini.Sections()[0].entries.empty());
}

}  // namespace
}  // namespace tarsil
