// Byte layouts, code tables, layout tests, escapes and the converters.
#include "hebrew/codepage.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "hebrew/converters.h"
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

TEST(ByteLayouts, LettersMoveBetweenDosAndWindowsRanges) {
    EXPECT_EQ(DosToWin(0x80), 0xE0);
    EXPECT_EQ(DosToWin(0x9A), 0xFA);
    EXPECT_EQ(DosToWin(0x9B), 0x9B);
    EXPECT_EQ(DosToWin(0x7F), 0x7F);
    EXPECT_EQ(DosToWin(0xE0), 0xE0);
    EXPECT_EQ(WinToDos(0xE0), 0x80);
    EXPECT_EQ(WinToDos(0xFA), 0x9A);
    EXPECT_EQ(WinToDos(0xDF), 0xDF);
    EXPECT_EQ(WinToDos(0xFB), 0xFB);
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        if (b >= 0x80 && b <= 0x9A) {
            EXPECT_EQ(WinToDos(DosToWin(byte)), byte);
        } else {
            EXPECT_EQ(DosToWin(byte), byte) << b;
        }
    }
}

TEST(ByteLayouts, StringFormsMapEveryPositionInPlace) {
    char text[] = "a\x80\x9A\xE0z";
    DosToWin(text, text);
    EXPECT_EQ(std::string(text), "a\xE0\xFA\xE0z");
    char out[sizeof text];
    WinToDos(text, out);
    EXPECT_EQ(std::string(out), "a\x80\x9A\x80z");
    char empty[] = "";
    char sink[] = "x";
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

TEST(ByteLayouts, NarrowingStopsAtCharacterAboveByteRange) {
    const wchar_t in[] = {L'a', 0x80, 0x5D0, L'b', 0};
    wchar_t out[5] = {L'#', L'#', L'#', L'#', L'#'};
    ASSERT_EQ(DosToWinReversed(in, out), 1);
    EXPECT_EQ(Bytes(out),
              "\xE0"
              "a");
    EXPECT_EQ(ContainsDosHebrew(L"\x5D0\x80"), 0);
    EXPECT_EQ(Table(std::string("ab"), 3), "ba");
}

TEST(ByteLayouts, NullArgumentsDoNothing) {
    wchar_t out[2] = {L'x', 0};
    EXPECT_EQ(DosToWinReversed(static_cast<const wchar_t*>(nullptr), out), 0);
    EXPECT_EQ(WinToDosReversed(L"a", nullptr), 0);
    EXPECT_EQ(DosToWinReversed(static_cast<const char*>(nullptr), nullptr), 0);
    EXPECT_EQ(ConvertCodeTable(nullptr, out, 0), 0);
    EXPECT_EQ(out[0], L'x');
    EXPECT_EQ(ContainsDosHebrew(nullptr), 0);
    EXPECT_EQ(ContainsWindowsHebrew(nullptr), 0);
    std::size_t length = 7;
    EXPECT_EQ(DecodeDosEscapes(nullptr, length), 0);
    EXPECT_EQ(length, 7u);
}

TEST(CodeTable, SevenBitToDosReversesAndMapsKeys) {
    EXPECT_EQ(Table("akuo", k7BitToDos), "\x8D\x85\x8C\x99");
    // The punctuation entries and the keys that are not letters.
    EXPECT_EQ(Table("',./;qw`", k7BitToDos), "``/\x93.\x95\x9A,");
    // Upper case, digits and the Windows letters are not looked up.
    EXPECT_EQ(Table("AZ09\xE0", k7BitToDos),
              "\xE0"
              "90ZA");
}

TEST(CodeTable, EveryLetterHasItsKeyInEachLayout) {
    // The key of alef, bet, ... tav in turn.
    const std::string keys = "tcdsvuzjyhlfkonibxg;p.mera,";
    for (int k = 0; k < 27; ++k) {
        const std::string key(1, keys[k]);
        const std::string dos(1, static_cast<char>(0x80 + k));
        EXPECT_EQ(Table(key, k7BitToDos), dos) << key;
        EXPECT_EQ(Table(std::string(1, static_cast<char>(0xE0 + k)), kWindowsTo7Bit), key) << k;
        EXPECT_EQ(Table(dos, kDosTo7Bit), key) << k;
    }
}

TEST(CodeTable, WindowsTo7BitMapsLettersToKeys) {
    EXPECT_EQ(Table("\xF9\xEC\xE5\xED", kWindowsTo7Bit), "ouka");
    EXPECT_EQ(Table("./`,;'", kWindowsTo7Bit), "';,wq/");
    // Looked up without an entry, or not looked up at all: unchanged.
    EXPECT_EQ(Table("\xDA\xDF\x80z", kWindowsTo7Bit), "z\x80\xDF\xDA");
}

TEST(CodeTable, DosTo7BitMapsQuotes) {
    EXPECT_EQ(Table("./`',;", kDosTo7Bit), ";'wwq/");
    EXPECT_EQ(Table("\xE0t\x9B", kDosTo7Bit), "\x9Bt\xE0");
}

TEST(CodeTable, TablesAreNotInversesOfEachOther) {
    // "`" has no entry from 7-bit to DOS, but "w" goes to "`".
    EXPECT_EQ(Table("`", k7BitToDos), "`");
    EXPECT_EQ(Table("w", k7BitToDos), "`");
    EXPECT_EQ(Table("'", kDosTo7Bit), "w");
}

TEST(CodeTable, FinalLineFeedStaysAtTheEnd) {
    EXPECT_EQ(Table("ab\n", 3), "ba\n");
    EXPECT_EQ(Table("\n", 3), "\n");
    EXPECT_EQ(Table("a\nb", 3), "b\na");
    EXPECT_EQ(Table("a\n\n", 3), "\na\n");
    EXPECT_EQ(Table("", 0), "");
    EXPECT_EQ(Table("t\n", k7BitToDos), "\x80\n");
}

TEST(CodeTable, OtherModesOnlyReverse) {
    EXPECT_EQ(Table("akuo\xE0", 3), "\xE0ouka");
    EXPECT_EQ(Table("akuo\xE0", -1), "\xE0ouka");
}

TEST(CodeTable, InPlaceConversion) {
    std::wstring w = Wide("akuo\n");
    ConvertCodeTable(w.data(), w.data(), k7BitToDos);
    EXPECT_EQ(Bytes(w), "\x8D\x85\x8C\x99\n");
}

TEST(LayoutTests, EmptyTextAndPlainLatinAreNotHebrew) {
    EXPECT_EQ(ContainsWindowsHebrew(L""), 0);
    EXPECT_EQ(ContainsDosHebrew(L""), 0);
    EXPECT_EQ(ContainsWindowsHebrew(L"abc"), 0);
    EXPECT_EQ(ContainsDosHebrew(L"abc"), 0);
}

TEST(LayoutTests, LetterRangesDecide) {
    EXPECT_EQ(ContainsDosHebrew(Wide("x\x80").c_str()), 1);
    EXPECT_EQ(ContainsDosHebrew(Wide("x\x9A").c_str()), 1);
    EXPECT_EQ(ContainsDosHebrew(Wide("\x7F\x9B\xE0").c_str()), 0);
    EXPECT_EQ(ContainsWindowsHebrew(Wide("\xE0").c_str()), 1);
    EXPECT_EQ(ContainsWindowsHebrew(Wide("\xFA").c_str()), 1);
    EXPECT_EQ(ContainsWindowsHebrew(Wide("\xDF\xFB\x80").c_str()), 0);
}

TEST(LayoutTests, UnicodeEscapeCountsAsHebrew) {
    EXPECT_EQ(ContainsWindowsHebrew(L"\\U+05D0"), 1);
    EXPECT_EQ(ContainsDosHebrew(L"ab\\U+"), 1);
    EXPECT_EQ(ContainsDosHebrew(L"\\U"), 0);
    EXPECT_EQ(ContainsDosHebrew(L"\\u+05D0"), 0);
    EXPECT_EQ(ContainsDosHebrew(L"\\ U+"), 0);
}

std::string Decode(const std::string& in, std::size_t* lengthOut = nullptr) {
    std::wstring w = Wide(in);
    std::size_t length = w.size();
    EXPECT_EQ(DecodeDosEscapes(w.data(), length), 1);
    const std::string out = Bytes(w.c_str());
    EXPECT_EQ(length, out.size()) << in;
    if (lengthOut) *lengthOut = length;
    return out;
}

TEST(DosEscapes, ThreeDigitsInTheLetterRangeBecomeOneCharacter) {
    std::size_t length = 0;
    EXPECT_EQ(Decode("x%%128y", &length), "x\x80y");
    EXPECT_EQ(length, 3u);
    const std::pair<std::string, std::string> cases[] = {
        {"%%154", "\x9A"},
        {"%%128%%129", "\x80\x81"},
        {"a%%130%%131b%%132",
         "a\x82\x83"
         "b\x84"},
        // Values outside the letter range stay.
        {"%%127", "%%127"},
        {"%%155", "%%155"},
        {"%%999", "%%999"},
        // Broken escapes stay; a third "%" only ends the escape.
        {"%%12a", "%%12a"},
        {"%%12", "%%12"},
        {"%128", "%128"},
        {"%x%128", "%x%128"},
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
    std::wstring w = L"%%128%%129";
    std::size_t length = 5;
    ASSERT_EQ(DecodeDosEscapes(w.data(), length), 1);
    EXPECT_EQ(length, 1u);
    EXPECT_EQ(Bytes(w.c_str()), "\x80");  // terminated at the new length

    std::wstring untouched = L"ab%%128";
    length = 4;
    ASSERT_EQ(DecodeDosEscapes(untouched.data(), length), 1);
    EXPECT_EQ(untouched, L"ab%%128");
    EXPECT_EQ(length, 4u);

    std::wstring shortText = L"%%130";
    length = 1000;  // beyond the text: cut to its length
    ASSERT_EQ(DecodeDosEscapes(shortText.data(), length), 1);
    EXPECT_EQ(length, 1u);
    EXPECT_EQ(shortText[0], 130);
    length = 0;
    ASSERT_EQ(DecodeDosEscapes(shortText.data(), length), 1);
    EXPECT_EQ(length, 0u);
}

TEST(Converters, NarrowWholeTextOrGivenLength) {
    const std::wstring w = Wide("a\xE0z");
    uni_to_ansi_t whole(w.c_str());
    EXPECT_EQ(std::string(whole.get()), "a\xE0z");
    uni_to_ansi_t part(w.c_str(), 2);
    EXPECT_EQ(std::string(part.get()), "a\xE0");
    uni_to_ansi_t beyond(w.c_str(), 10);  // never reads past the NUL
    EXPECT_EQ(std::string(beyond.get()), "a\xE0z");
    const wchar_t wide[] = {L'a', 0x5D0, L'b', 0};
    uni_to_ansi_t stops(wide, 3);
    EXPECT_EQ(std::string(stops.get()), "a");
    uni_to_ansi_t none(nullptr);
    EXPECT_EQ(std::string(none.get()), "");
}

TEST(Converters, WidenWholeTextOrGivenLength) {
    ansi_to_uni_t whole("a\xE0z");
    EXPECT_EQ(std::wstring(whole.get()), (std::wstring{L'a', 0xE0, L'z'}));
    ansi_to_uni_t part("abc", 1);
    EXPECT_EQ(std::wstring(part.get()), L"a");
    ansi_to_uni_t beyond("ab", 50);
    EXPECT_EQ(std::wstring(beyond.get()), L"ab");
    EXPECT_EQ(beyond.get()[50], 0);
    ansi_to_uni_t none(nullptr, 3);
    EXPECT_EQ(std::wstring(none.get()), L"");
}

}  // namespace
}  // namespace tarsil::hebrew
