// The three reorderings on worked examples, grouped by the rule they show.
#include "hebrew/reorder.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "hebrew/bidi_class.h"
#include "tests/hebrew/text_helpers.h"

namespace tarsil::hebrew {
namespace {

using testing::Bytes;
using testing::Wide;

constexpr int kLtr = 1, kRtl = 0;

std::string L2V(const std::string& text, int ltr) {
    const std::wstring in = Wide(text);
    std::vector<wchar_t> out(in.size() + 1, L'#');
    EXPECT_EQ(LogicalToVisual(in.c_str(), in.size(), out.data(), nullptr, ltr), 1);
    return Bytes(out.data());
}

std::string Masked(const std::string& text, int ltr, const std::string& mask) {
    const std::wstring in = Wide(text);
    std::string maskBytes;
    for (char m : mask) maskBytes.push_back(static_cast<char>(m - '0'));
    std::vector<wchar_t> out(in.size() + 1, L'#');
    EXPECT_EQ(LogicalToVisualMasked(in.c_str(), in.size(), out.data(), nullptr, ltr,
                                    reinterpret_cast<const unsigned char*>(maskBytes.data())),
              1);
    return Bytes(out.data());
}

std::string V2L(const std::string& text, int ltr) {
    const std::wstring in = Wide(text);
    std::vector<wchar_t> out(in.size() + 1, L'#');
    EXPECT_EQ(VisualToLogical(in.c_str(), in.size(), out.data(), nullptr, ltr), 1);
    return Bytes(out.data());
}

std::vector<std::uint32_t> MapOf(const std::string& text, int ltr) {
    const std::wstring in = Wide(text);
    std::vector<wchar_t> out(in.size() + 1);
    std::vector<std::uint32_t> map(in.size() + 1, 999);
    EXPECT_EQ(LogicalToVisual(in.c_str(), in.size(), out.data(), map.data(), ltr), 1);
    return map;
}

const std::string kAlefBetGimel = "\xE0\xE1\xE2";
const std::string kGimelBetAlef = "\xE2\xE1\xE0";

TEST(ByteClasses, FollowTheUnicodeClassesOfTheCodePage) {
    const std::pair<unsigned char, BidiClass> cases[] = {
        {'a', kL},  {'Z', kL},  {0xE0, kR}, {0xFA, kR},   {'7', kEN}, {'+', kES},
        {'-', kES}, {'#', kET}, {'%', kET}, {',', kCS},   {':', kCS}, {'\n', kB},
        {'\t', kS}, {' ', kWS}, {'!', kON}, {0x01, kNone}};
    for (const auto& [byte, cls] : cases) EXPECT_EQ(ByteBidiClass(byte), cls) << int(byte);
}

TEST(Paragraphs, PureTextInBothDirections) {
    EXPECT_EQ(L2V(kAlefBetGimel, kRtl), kAlefBetGimel);
    EXPECT_EQ(L2V(kAlefBetGimel, kLtr), kGimelBetAlef);
    EXPECT_EQ(L2V("abc", kLtr), "abc");
    EXPECT_EQ(L2V("abc", kRtl), "cba");
}

TEST(Paragraphs, MixedRunsGetAlternatingLevels) {
    // Latin at 1 then 2, Hebrew at 2 then 3: on screen the Hebrew is on the left.
    EXPECT_EQ(L2V("abc \xE0\xE1\xE2", kRtl), "cba \xE0\xE1\xE2");
    EXPECT_EQ(L2V("ab\xE0\xE1"
                  "cd",
                  kLtr),
              "ab\xE1\xE0"
              "cd");
}

TEST(Paragraphs, ControlCharacterResetsTheLevelButNotTheSpare) {
    // After 0x01 the current level is the base again while the spare level
    // is also the base, so the following Hebrew stays at level 1.
    EXPECT_EQ(L2V("a\xE0\x01"
                  "b\xE1",
                  kRtl),
              "b\xE1\x01\xE0"
              "a");
    EXPECT_EQ(L2V("a\xE0"
                  "b\xE1",
                  kRtl),
              "\xE1"
              "b\xE0"
              "a");
}

TEST(Numbers, DigitsAfterHebrewKeepTheirOrder) {
    EXPECT_EQ(L2V("\xE0\xE1 12", kLtr), "\xE1\xE0 12");
    EXPECT_EQ(L2V("\xE0\xE1 12", kRtl), "\xE0\xE1 21");
}

TEST(Numbers, SeparatorsInRightToLeftParagraphAreRightToLeft) {
    EXPECT_EQ(L2V("1.5", kLtr), "1.5");
    EXPECT_EQ(L2V("1.5", kRtl), "1.5");  // shows 5.1
    EXPECT_EQ(L2V("12:30", kRtl), "21:03");
}

TEST(Numbers, TerminatorJoinsAdjacentNumber) {
    // "#" joins the digit and reverses with it; 0xA4 is a foreign byte, R here.
    EXPECT_EQ(L2V("1#", kRtl), "#1");
    EXPECT_EQ(L2V("1\xA4", kRtl), "1\xA4");
}

TEST(Mirroring, BracketsOfRightToLeftRunsAreSwapped) {
    EXPECT_EQ(L2V("\xE0 (ab) \xE1", kRtl), "\xE0 )ba( \xE1");
    EXPECT_EQ(L2V("a (\xE0\xE1) b", kLtr), "a (\xE1\xE0) b");
}

TEST(Mirroring, OutputPositionIsTestedAgainstLogicalLevel) {
    // "(" lands at output position 0, whose logical byte "a" ends at an even
    // level, so it is not swapped; ")" lands at position 1, where "(" stood
    // at an odd level, so it is.
    EXPECT_EQ(L2V("a()", kRtl), "((a");
}

TEST(IndexMap, ListsTheLogicalIndexOfEveryOutputPosition) {
    EXPECT_EQ(MapOf("\xE0\xE1 c", kLtr), (std::vector<std::uint32_t>{1, 0, 2, 3, 4}));
    EXPECT_EQ(MapOf("abc", kRtl), (std::vector<std::uint32_t>{2, 1, 0, 3}));
    EXPECT_EQ(MapOf("", kLtr), (std::vector<std::uint32_t>{0}));
}

TEST(Masked, HebrewTypedNeutralsStayRightToLeft) {
    EXPECT_EQ(Masked("a b", kRtl, "121"), "a b");  // shows "b a"
    EXPECT_EQ(Masked("a b", kRtl, "111"), "b a");  // shows "a b"
    EXPECT_EQ(Masked("\xE0\xE1 12", kRtl, "22211"), "\xE0\xE1 21");
    EXPECT_EQ(Masked(kAlefBetGimel, kRtl, "222"), kAlefBetGimel);
}

TEST(Masked, NullMaskCountsAsNothingTypedAsHebrew) {
    const std::wstring in = Wide("a b");
    wchar_t out[4];
    ASSERT_EQ(LogicalToVisualMasked(in.c_str(), 3, out, nullptr, kRtl, nullptr), 1);
    EXPECT_EQ(Bytes(out), Masked("a b", kRtl, "111"));
}

TEST(VisualToLogical, UndoesTheReorderingOfSimpleLines) {
    for (const std::string& logical :
         {std::string("\xE0\xE1 12"), kAlefBetGimel, std::string("\xE0\xE1 abc \xE2")}) {
        EXPECT_EQ(V2L(L2V(logical, kRtl), kRtl), logical);
    }
}

TEST(VisualToLogical, NeutralsBeforeDigitsJoinTheNumber) {
    EXPECT_EQ(V2L("\xE0! 5", kRtl),
              "\xE0"
              "5 !");
}

TEST(BadInput, LengthIsCutToTheText) {
    const std::wstring in = Wide("ab");
    wchar_t out[8] = {};
    std::uint32_t map[8] = {};
    ASSERT_EQ(LogicalToVisual(in.c_str(), 1000, out, map, kRtl), 1);
    EXPECT_EQ(Bytes(out), "ba");
    EXPECT_EQ(map[2], 2u);
    ASSERT_EQ(VisualToLogical(in.c_str(), 1, out, map, kLtr), 1);
    EXPECT_EQ(Bytes(out), "a");
}

TEST(BadInput, CharacterAboveByteRangeEndsTheText) {
    const wchar_t in[] = {L'a', L'b', 0x5D0, L'c', 0};
    wchar_t out[5] = {L'#', L'#', L'#', L'#', L'#'};
    ASSERT_EQ(LogicalToVisual(in, 4, out, nullptr, kRtl), 1);
    EXPECT_EQ(Bytes(out), "ba");
}

TEST(BadInput, EmptyTextAndZeroLengthSucceedWithEmptyOutput) {
    wchar_t out[2] = {L'#', L'#'};
    std::uint32_t map[1] = {77};
    ASSERT_EQ(LogicalToVisual(L"", 0, out, map, kRtl), 1);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(map[0], 0u);
    out[0] = L'#';
    ASSERT_EQ(VisualToLogical(L"abc", 0, out, nullptr, kRtl), 1);
    EXPECT_EQ(out[0], 0);
}

TEST(BadInput, NullBuffersFailWithoutWriting) {
    wchar_t out[2] = {L'#', 0};
    EXPECT_EQ(LogicalToVisual(nullptr, 3, out, nullptr, kRtl), 0);
    EXPECT_EQ(out[0], L'#');
    EXPECT_EQ(LogicalToVisualMasked(L"a", 1, nullptr, nullptr, kRtl, nullptr), 0);
    EXPECT_EQ(VisualToLogical(L"a", 1, nullptr, nullptr, kLtr), 0);
}

TEST(BadInput, OutputMayBeTheInputBuffer) {
    std::wstring text = Wide("abc \xE0\xE1\xE2");
    ASSERT_EQ(LogicalToVisual(text.c_str(), text.size(), text.data(), nullptr, kRtl), 1);
    EXPECT_EQ(Bytes(text), "cba \xE0\xE1\xE2");
}

}  // namespace
}  // namespace tarsil::hebrew
