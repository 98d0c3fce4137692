// The three reorderings: worked examples derived by hand, grouped by the
// rule they show; the linear engine against the rule-by-rule reference on
// many random lines; and the handling of bad arguments.
#include "hebrew/reorder.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "tests/hebrew/random_text.h"
#include "tests/hebrew/reference_reorder.h"
#include "tests/hebrew/text_helpers.h"

namespace tarsil::hebrew {
namespace {

using reference::Operation;
using testing::Bytes;
using testing::Wide;

constexpr int kLtr = 1, kRtl = 0;
constexpr Operation kL2V = Operation::kLogicalToVisual, kMasked = Operation::kMasked,
                    kV2L = Operation::kVisualToLogical;

// mask: one byte 1 or 2 per byte of text; empty passes no mask.
reference::Result Engine(Operation op, const std::string& text, int ltr, const std::string& mask) {
    const std::wstring in = Wide(text);
    std::vector<wchar_t> out(in.size() + 1, L'#');
    std::vector<std::uint32_t> map(in.size() + 1, 0xFFFFFFFF);
    const auto* m = mask.empty() ? nullptr : reinterpret_cast<const unsigned char*>(mask.data());
    const int ok =
        op == kL2V ? LogicalToVisual(in.c_str(), in.size(), out.data(), map.data(), ltr)
        : op == kMasked
            ? LogicalToVisualMasked(in.c_str(), in.size(), out.data(), map.data(), ltr, m)
            : VisualToLogical(in.c_str(), in.size(), out.data(), map.data(), ltr);
    EXPECT_EQ(ok, 1);
    return {Bytes(std::wstring(out.data(), in.size())), map};
}

// The mask written as digits '1' and '2'.
std::string Reordered(Operation op, const std::string& text, int ltr, std::string mask = {}) {
    for (char& m : mask) m = static_cast<char>(m - '0');
    return Engine(op, text, ltr, mask).text;
}

TEST(Reorder, WorkedExamples) {
    const struct {
        const char* rule;
        Operation op;
        const char* text;
        int ltr;
        const char* mask;
        const char* out;
    } cases[] = {
        {"pure Hebrew", kL2V, "\xE0\xE1\xE2", kRtl, "", "\xE0\xE1\xE2"},
        {"pure Hebrew", kL2V, "\xE0\xE1\xE2", kLtr, "", "\xE2\xE1\xE0"},
        {"pure Latin", kL2V, "abc", kLtr, "", "abc"},
        {"pure Latin", kL2V, "abc", kRtl, "", "cba"},
        // Latin at 1 then 2, Hebrew at 2 then 3: on screen the Hebrew is on the left.
        {"alternating levels", kL2V, "abc \xE0\xE1\xE2", kRtl, "", "cba \xE0\xE1\xE2"},
        {"alternating levels", kL2V,
         "ab\xE0\xE1"
         "cd",
         kLtr, "",
         "ab\xE1\xE0"
         "cd"},
        // After 0x01 the current level is the base again while the spare
        // level is also the base, so the following Hebrew stays at level 1.
        {"control resets the level", kL2V,
         "a\xE0\x01"
         "b\xE1",
         kRtl, "",
         "b\xE1\x01\xE0"
         "a"},
        {"no control, no reset", kL2V,
         "a\xE0"
         "b\xE1",
         kRtl, "",
         "\xE1"
         "b\xE0"
         "a"},
        {"digits after Hebrew", kL2V, "\xE0\xE1 12", kLtr, "", "\xE1\xE0 12"},
        {"digits after Hebrew", kL2V, "\xE0\xE1 12", kRtl, "", "\xE0\xE1 21"},
        {"separator in a number", kL2V, "1.5", kLtr, "", "1.5"},
        {"separator right to left", kL2V, "1.5", kRtl, "", "1.5"},  // shows 5.1
        {"separator right to left", kL2V, "12:30", kRtl, "", "21:03"},
        // "#" joins the digit and reverses with it; 0xA4 is a foreign byte, R here.
        {"terminator joins", kL2V, "1#", kRtl, "", "#1"},
        {"foreign byte", kL2V, "1\xA4", kRtl, "", "1\xA4"},
        {"mirrored brackets", kL2V, "\xE0 (ab) \xE1", kRtl, "", "\xE0 )ba( \xE1"},
        {"mirrored brackets", kL2V, "a (\xE0\xE1) b", kLtr, "", "a (\xE1\xE0) b"},
        // "(" lands at position 0, whose logical byte "a" ends at an even
        // level, so it is not swapped; ")" lands where "(" stood at an odd one.
        {"mirroring by output position", kL2V, "a()", kRtl, "", "((a"},
        {"typed as Hebrew", kMasked, "a b", kRtl, "121", "a b"},  // shows "b a"
        {"typed as Latin", kMasked, "a b", kRtl, "111", "b a"},   // shows "a b"
        {"no mask is Latin", kMasked, "a b", kRtl, "", "b a"},
        {"masked digits", kMasked, "\xE0\xE1 12", kRtl, "22211", "\xE0\xE1 21"},
        {"masked Hebrew", kMasked, "\xE0\xE1\xE2", kRtl, "222", "\xE0\xE1\xE2"},
        {"neutrals before digits join", kV2L, "\xE0! 5", kRtl, "",
         "\xE0"
         "5 !"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Reordered(c.op, c.text, c.ltr, c.mask), c.out) << c.rule << ": " << c.text;
}

using LineMaker = std::string (*)(std::mt19937&, std::size_t);

void Compare(Operation op, std::uint32_t seed, int lines, std::size_t maxLength,
             LineMaker make = testing::RandomLine) {
    std::mt19937 rng(seed);
    int failures = 0;
    for (int k = 0; k < lines && failures < 5; ++k) {
        const std::size_t length = std::uniform_int_distribution<std::size_t>(0, maxLength)(rng);
        const std::string text = make(rng, length);
        const std::string mask = testing::RandomMask(rng, length);
        for (bool ltr : {false, true}) {
            const auto want = reference::Reorder(op, text, ltr, mask);
            const auto got = Engine(op, text, ltr ? kLtr : kRtl, mask);
            if (got.text != want.text || got.map != want.map) {
                ++failures;
                ADD_FAILURE() << "ltr=" << ltr << " text " << ::testing::PrintToString(text)
                              << "\n  got  " << ::testing::PrintToString(got.text) << "\n  want "
                              << ::testing::PrintToString(want.text);
            }
        }
    }
}

// Per operation: short lines in bulk, long ones, and lines far longer than
// the pieces the engine works on, random and sparsely strong.
TEST(AgainstReference, EveryOperationAtEveryLength) {
    std::uint32_t seed = 1;
    for (Operation op : {kL2V, kMasked, kV2L}) {
        SCOPED_TRACE(static_cast<int>(op));
        Compare(op, seed++, 6000, 24);
        Compare(op, seed++, 40, 1500);
        Compare(op, seed++, 4, 40000);
        Compare(op, seed++, 4, 40000, testing::SparseStrongLine);
    }
}

TEST(IndexMap, ListsTheLogicalIndexOfEveryOutputPosition) {
    using Map = std::vector<std::uint32_t>;
    EXPECT_EQ(Engine(kL2V, "\xE0\xE1 c", kLtr, "").map, (Map{1, 0, 2, 3, 4}));
    EXPECT_EQ(Engine(kL2V, "abc", kRtl, "").map, (Map{2, 1, 0, 3}));
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
