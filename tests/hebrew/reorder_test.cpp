// The three reorderings on worked examples derived by hand, grouped by the
// rule they show, and their handling of bad arguments.
#include "hebrew/reorder.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/hebrew/text_helpers.h"

namespace tarsil::hebrew {
namespace {

using testing::Bytes;
using testing::Wide;

constexpr int kLtr = 1, kRtl = 0;

// op: 'L' logical to visual, 'M' masked ('1'/'2' per byte), 'V' visual to logical.
std::string Reordered(char op, const std::string& text, int ltr, const std::string& mask = {}) {
    const std::wstring in = Wide(text);
    std::vector<wchar_t> out(in.size() + 1, L'#');
    std::string maskBytes;
    for (char m : mask) maskBytes.push_back(static_cast<char>(m - '0'));
    const auto* m = reinterpret_cast<const unsigned char*>(maskBytes.data());
    const int ok = op == 'L'   ? LogicalToVisual(in.c_str(), in.size(), out.data(), nullptr, ltr)
                   : op == 'M' ? LogicalToVisualMasked(in.c_str(), in.size(), out.data(), nullptr,
                                                       ltr, mask.empty() ? nullptr : m)
                               : VisualToLogical(in.c_str(), in.size(), out.data(), nullptr, ltr);
    EXPECT_EQ(ok, 1);
    return Bytes(out.data());
}

TEST(Reorder, WorkedExamples) {
    const struct {
        const char* rule;
        char op;
        const char* text;
        int ltr;
        const char* mask;
        const char* out;
    } cases[] = {
        {"pure Hebrew", 'L', "\xE0\xE1\xE2", kRtl, "", "\xE0\xE1\xE2"},
        {"pure Hebrew", 'L', "\xE0\xE1\xE2", kLtr, "", "\xE2\xE1\xE0"},
        {"pure Latin", 'L', "abc", kLtr, "", "abc"},
        {"pure Latin", 'L', "abc", kRtl, "", "cba"},
        // Latin at 1 then 2, Hebrew at 2 then 3: on screen the Hebrew is on the left.
        {"alternating levels", 'L', "abc \xE0\xE1\xE2", kRtl, "", "cba \xE0\xE1\xE2"},
        {"alternating levels", 'L',
         "ab\xE0\xE1"
         "cd",
         kLtr, "",
         "ab\xE1\xE0"
         "cd"},
        // After 0x01 the current level is the base again while the spare
        // level is also the base, so the following Hebrew stays at level 1.
        {"control resets the level", 'L',
         "a\xE0\x01"
         "b\xE1",
         kRtl, "",
         "b\xE1\x01\xE0"
         "a"},
        {"no control, no reset", 'L',
         "a\xE0"
         "b\xE1",
         kRtl, "",
         "\xE1"
         "b\xE0"
         "a"},
        {"digits after Hebrew", 'L', "\xE0\xE1 12", kLtr, "", "\xE1\xE0 12"},
        {"digits after Hebrew", 'L', "\xE0\xE1 12", kRtl, "", "\xE0\xE1 21"},
        {"separator in a number", 'L', "1.5", kLtr, "", "1.5"},
        {"separator right to left", 'L', "1.5", kRtl, "", "1.5"},  // shows 5.1
        {"separator right to left", 'L', "12:30", kRtl, "", "21:03"},
        // "#" joins the digit and reverses with it; 0xA4 is a foreign byte, R here.
        {"terminator joins", 'L', "1#", kRtl, "", "#1"},
        {"foreign byte", 'L', "1\xA4", kRtl, "", "1\xA4"},
        {"mirrored brackets", 'L', "\xE0 (ab) \xE1", kRtl, "", "\xE0 )ba( \xE1"},
        {"mirrored brackets", 'L', "a (\xE0\xE1) b", kLtr, "", "a (\xE1\xE0) b"},
        // "(" lands at position 0, whose logical byte "a" ends at an even
        // level, so it is not swapped; ")" lands where "(" stood at an odd one.
        {"mirroring by output position", 'L', "a()", kRtl, "", "((a"},
        {"typed as Hebrew", 'M', "a b", kRtl, "121", "a b"},  // shows "b a"
        {"typed as Latin", 'M', "a b", kRtl, "111", "b a"},   // shows "a b"
        {"no mask is Latin", 'M', "a b", kRtl, "", "b a"},
        {"masked digits", 'M', "\xE0\xE1 12", kRtl, "22211", "\xE0\xE1 21"},
        {"masked Hebrew", 'M', "\xE0\xE1\xE2", kRtl, "222", "\xE0\xE1\xE2"},
        {"neutrals before digits join", 'V', "\xE0! 5", kRtl, "",
         "\xE0"
         "5 !"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Reordered(c.op, c.text, c.ltr, c.mask), c.out) << c.rule << ": " << c.text;
}

TEST(Reorder, VisualToLogicalUndoesSimpleLines) {
    for (const char* logical : {"\xE0\xE1 12", "\xE0\xE1\xE2", "\xE0\xE1 abc \xE2"})
        EXPECT_EQ(Reordered('V', Reordered('L', logical, kRtl), kRtl), logical);
}

TEST(IndexMap, ListsTheLogicalIndexOfEveryOutputPosition) {
    const auto map = [](const std::string& text, int ltr) {
        const std::wstring in = Wide(text);
        std::vector<wchar_t> out(in.size() + 1);
        std::vector<std::uint32_t> m(in.size() + 1, 999);
        EXPECT_EQ(LogicalToVisual(in.c_str(), in.size(), out.data(), m.data(), ltr), 1);
        return m;
    };
    EXPECT_EQ(map("\xE0\xE1 c", kLtr), (std::vector<std::uint32_t>{1, 0, 2, 3, 4}));
    EXPECT_EQ(map("abc", kRtl), (std::vector<std::uint32_t>{2, 1, 0, 3}));
    EXPECT_EQ(map("", kLtr), (std::vector<std::uint32_t>{0}));
}

TEST(BadInput, LengthIsCutToTheTextAndAWideCharacterEndsIt) {
    const std::wstring in = Wide("ab");
    wchar_t out[8] = {};
    std::uint32_t map[8] = {};
    ASSERT_EQ(LogicalToVisual(in.c_str(), 1000, out, map, kRtl), 1);
    EXPECT_EQ(Bytes(out), "ba");
    EXPECT_EQ(map[2], 2u);
    ASSERT_EQ(VisualToLogical(in.c_str(), 1, out, map, kLtr), 1);
    EXPECT_EQ(Bytes(out), "a");

    const wchar_t wide[] = {L'a', L'b', 0x5D0, L'c', 0};
    std::fill(std::begin(out), std::end(out), L'#');
    ASSERT_EQ(LogicalToVisual(wide, 4, out, nullptr, kRtl), 1);
    EXPECT_EQ(Bytes(out), "ba");
}

TEST(BadInput, EmptyTextSucceedsAndNullBuffersFailWithoutWriting) {
    wchar_t out[2] = {L'#', L'#'};
    std::uint32_t map[1] = {77};
    ASSERT_EQ(LogicalToVisual(L"", 0, out, map, kRtl), 1);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(map[0], 0u);
    out[0] = L'#';
    ASSERT_EQ(VisualToLogical(L"abc", 0, out, nullptr, kRtl), 1);
    EXPECT_EQ(out[0], 0);

    out[0] = L'#';
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
