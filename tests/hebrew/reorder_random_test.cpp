// The linear engine against the rule-by-rule reference on many random lines.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "hebrew/reorder.h"
#include "tests/hebrew/random_text.h"
#include "tests/hebrew/reference_reorder.h"
#include "tests/hebrew/text_helpers.h"

namespace tarsil::hebrew {
namespace {

using reference::Operation;

reference::Result Engine(Operation op, const std::string& text, bool ltr, const std::string& mask) {
    const std::wstring in = testing::Wide(text);
    std::vector<wchar_t> out(in.size() + 1, L'#');
    std::vector<std::uint32_t> map(in.size() + 1, 0xFFFFFFFF);
    const int ltrFlag = ltr ? 1 : 0;
    const auto* maskBytes = reinterpret_cast<const unsigned char*>(mask.data());
    int ok = 0;
    switch (op) {
        case Operation::kLogicalToVisual:
            ok = LogicalToVisual(in.c_str(), in.size(), out.data(), map.data(), ltrFlag);
            break;
        case Operation::kMasked:
            ok = LogicalToVisualMasked(in.c_str(), in.size(), out.data(), map.data(), ltrFlag,
                                       maskBytes);
            break;
        case Operation::kVisualToLogical:
            ok = VisualToLogical(in.c_str(), in.size(), out.data(), map.data(), ltrFlag);
            break;
    }
    EXPECT_EQ(ok, 1);
    return {testing::Bytes(std::wstring(out.data(), in.size())), map};
}

std::string Printable(const std::string& s) {
    std::string r;
    char buf[8];
    for (unsigned char c : s) {
        std::snprintf(buf, sizeof buf, c >= 0x20 && c < 0x7F ? "%c" : "\\x%02X", c);
        r += buf;
    }
    return r;
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
            const auto got = Engine(op, text, ltr, mask);
            if (got.text != want.text || got.map != want.map) {
                ++failures;
                ADD_FAILURE() << "ltr=" << ltr << " text \"" << Printable(text) << "\"\n  got  \""
                              << Printable(got.text) << "\"\n  want \"" << Printable(want.text)
                              << "\"";
            }
        }
    }
}

// Per operation: short lines in bulk, long ones, and lines far longer than
// the pieces the engine works on, random and sparsely strong.
void CompareAllLengths(Operation op, std::uint32_t firstSeed) {
    Compare(op, firstSeed, 6000, 24);
    Compare(op, firstSeed + 1, 40, 1500);
    Compare(op, firstSeed + 2, 4, 40000);
    Compare(op, firstSeed + 3, 4, 40000, testing::SparseStrongLine);
}

TEST(AgainstReference, LogicalToVisual) {
    CompareAllLengths(Operation::kLogicalToVisual, 1);
}
TEST(AgainstReference, Masked) {
    CompareAllLengths(Operation::kMasked, 5);
}
TEST(AgainstReference, VisualToLogical) {
    CompareAllLengths(Operation::kVisualToLogical, 9);
}

}  // namespace
}  // namespace tarsil::hebrew
