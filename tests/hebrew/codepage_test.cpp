// Byte layouts, code tables, layout tests and escapes.
#include "hebrew/codepage.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/hebrew/text_helpers.h"

namespace tarsil::hebrew {
namespace {

using testing::Bytes;
using testing::Wide;

std::string Table(const std::string& in, int mode) {
    std::wstring w = Wide(in);
    std::vector<wchar_t> out(w.size() + 1, L'#');
    EXPECT_EQ(ConvertCodeTable(w.c_str(), out.data(), mode), 0);
    return Bytes(out.data());
}

TEST(ByteLayouts, LettersMoveBetweenDosAndWindowsRangesAndNothingElseMoves) {
    // Both ranges, their ends and the bytes just outside them.
    char text[] = "a\x7F\x80\x9A\x9B\xDF\xE0\xFA\xFBz";
    char out[sizeof text];
    DosToWin(text, out);
    EXPECT_EQ(std::string(out), "a\x7F\xE0\xFA\x9B\xDF\xE0\xFA\xFBz");
    WinToDos(text, text);
    EXPECT_EQ(std::string(text), "a\x7F\x80\x9A\x9B\xDF\x80\x9A\xFBz");
    char empty[] = "", sink[] = "x";
    DosToWin(empty, sink);
    EXPECT_EQ(sink[0], '\0');
}

TEST(ByteLayouts, ReversedFormsMapThenReverse) {
    std::wstring in = Wide("\x80\x81 ab");
    std::vector<wchar_t> out(in.size() + 1);
    ASSERT_EQ(DosToWinReversed(in.c_str(), out.data()), 1);
    EXPECT_EQ(Bytes(out.data()), "ba \xE1\xE0");
    ASSERT_EQ(WinToDosReversed(out.data(), out.data()), 1);  // in place
    EXPECT_EQ(Bytes(out.data()), "\x80\x81 ab");
    char bytes[] = "1\x82\x83";
    ASSERT_EQ(DosToWinReversed(bytes, bytes), 1);
    EXPECT_EQ(std::string(bytes),
              "\xE3\xE2"
              "1");
}

TEST(ByteLayouts, CharacterAboveByteRangeEndsTheTextAndNullDoesNothing) {
    const wchar_t in[] = {L'a', 0x80, 0x5D0, L'b', 0};
    wchar_t out[5] = {L'#', L'#', L'#', L'#', L'#'};
    ASSERT_EQ(DosToWinReversed(in, out), 1);
    EXPECT_EQ(Bytes(out),
              "\xE0"
              "a");
    EXPECT_EQ(ContainsDosHebrew(L"\x5D0\x80"), 0);

    out[0] = L'x';
    EXPECT_EQ(DosToWinReversed(static_cast<const wchar_t*>(nullptr), out), 0);
    EXPECT_EQ(WinToDosReversed(L"a", nullptr), 0);
    EXPECT_EQ(DosToWinReversed(static_cast<const char*>(nullptr), nullptr), 0);
    EXPECT_EQ(ConvertCodeTable(nullptr, out, 0), 0);
    EXPECT_EQ(out[0], L'x');
    EXPECT_EQ(ContainsDosHebrew(nullptr), 0);
    std::size_t length = 7;
    EXPECT_EQ(DecodeDosEscapes(nullptr, length), 0);
    EXPECT_EQ(length, 7u);
}

TEST(CodeTable, ReversesTheTextAndMapsItThroughTheTableOfTheMode) {
    const struct {
        const char* in;
        int mode;
        const char* out;
    } cases[] = {
        // Punctuation entries; "`" has none from 7-bit but "w" goes to it.
        {"',./;qw`", k7BitToDos, "``/\x93.\x95\x9A,"},
        // Upper case, digits and Windows letters are not looked up.
        {"AZ09\xE0", k7BitToDos,
         "\xE0"
         "90ZA"},
        {"./`,;'", kWindowsTo7Bit, "';,wq/"},
        {"\xDA\xDF\x80z", kWindowsTo7Bit, "z\x80\xDF\xDA"},
        {"./`',;", kDosTo7Bit, ";'wwq/"},
        {"\xE0t\x9B", kDosTo7Bit, "\x9Bt\xE0"},
        // Other modes only reverse.
        {"akuo\xE0", 3, "\xE0ouka"},
        // A final line feed stays at the end, unless it is all there is.
        {"ab\n", 3, "ba\n"},
        {"\n", 3, "\n"},
        {"a\n\n", 3, "\na\n"},
        {"t\n", k7BitToDos, "\x80\n"},
        {"", 0, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(Table(c.in, c.mode), c.out) << c.in << " " << c.mode;

    std::wstring w = Wide("akuo\n");
    ConvertCodeTable(w.data(), w.data(), k7BitToDos);
    EXPECT_EQ(Bytes(w), "\x8D\x85\x8C\x99\n");
}

TEST(CodeTable, EveryLetterHasItsKeyInEachLayout) {
    // The key of alef, bet, ... tav in turn.
    const std::string keys = "tcdsvuzjyhlfkonibxg;p.mera,";
    for (int k = 0; k < 27; ++k) {
        const std::string key(1, keys[k]), dos(1, static_cast<char>(0x80 + k));
        EXPECT_EQ(Table(key, k7BitToDos), dos) << key;
        EXPECT_EQ(Table(std::string(1, static_cast<char>(0xE0 + k)), kWindowsTo7Bit), key) << k;
        EXPECT_EQ(Table(dos, kDosTo7Bit), key) << k;
    }
}

TEST(LayoutTests, LetterRangesAndTheUnicodeEscapeDecide) {
    const struct {
        const char* text;
        int dos, win;
    } cases[] = {
        {"", 0, 0},         {"abc", 0, 0},      {"x\x80", 1, 0}, {"x\x9A", 1, 0},
        {"\x7F\x9B", 0, 0}, {"\xE0", 0, 1},     {"\xFA", 0, 1},  {"\xDF\xFB", 0, 0},
        {"ab\\U+", 1, 1},   {"\\U+05D0", 1, 1}, {"\\U", 0, 0},   {"\\u+05D0", 0, 0},
        {"\\ U+", 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ContainsDosHebrew(Wide(c.text).c_str()), c.dos) << c.text;
        EXPECT_EQ(ContainsWindowsHebrew(Wide(c.text).c_str()), c.win) << c.text;
    }
}

std::string Decode(const std::string& in) {
    std::wstring w = Wide(in);
    std::size_t length = w.size();
    EXPECT_EQ(DecodeDosEscapes(w.data(), length), 1);
    const std::string out = Bytes(w.c_str());
    EXPECT_EQ(length, out.size()) << in;
    return out;
}

TEST(DosEscapes, ThreeDigitsInTheLetterRangeBecomeOneCharacter) {
    const std::pair<std::string, std::string> cases[] = {
        {"x%%128y", "x\x80y"},
        {"%%154", "\x9A"},
        {"a%%130%%131b%%132",
         "a\x82\x83"
         "b\x84"},
        // Values outside the letter range stay.
        {"%%127", "%%127"},
        {"%%155", "%%155"},
        // Broken escapes stay; a third "%" only ends the escape.
        {"%%12a", "%%12a"},
        {"%%12", "%%12"},
        {"%128", "%128"},
        {"%%%128", "%%%128"},
        // A "%%" after digits opens the next escape; one "%" does not.
        {"%%1%%128", "%%1\x80"},
        {"%%12%%129", "%%12\x81"},
        {"%%12%129", "%%12%129"},
        // The scan resumes after the inserted character: "%%" + "%%" opens,
        // ends and reopens nothing, and a fourth digit is text.
        {"%%%%128", "%%%%128"},
        {"%%1280",
         "\x80"
         "0"},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(Decode(in), out) << in;
}

TEST(DosEscapes, LengthLimitsTheScan) {
    const struct {
        const wchar_t* text;
        std::size_t length, newLength;
        const wchar_t* result;
    } cases[] = {
        {L"%%128%%129", 5, 1, L"\x80"},  // terminated at the new length
        {L"ab%%128", 4, 4, L"ab%%128"},
        {L"%%130", 1000, 1, L"\x82"},  // beyond the text: cut to its length
        {L"%%130", 0, 0, L"%%130"},
    };
    for (const auto& c : cases) {
        std::wstring text = c.text;
        std::size_t length = c.length;
        ASSERT_EQ(DecodeDosEscapes(text.data(), length), 1);
        EXPECT_EQ(length, c.newLength) << c.text;
        EXPECT_EQ(std::wstring(text.c_str()), c.result) << c.text;
    }
}

}  // namespace
}  // namespace tarsil::hebrew
