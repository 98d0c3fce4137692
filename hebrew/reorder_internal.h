// The working state of one reordering call and the passes that run on it,
// one pass per source file, in the order reorder.cpp calls them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "hebrew/bidi_class.h"

namespace tarsil::hebrew::detail {

enum class Variant {
    kLogicalToVisual,
    kMasked,  // LogicalToVisualMasked
    kVisualToLogical,
};

struct Line {
    Variant variant;
    std::size_t n;
    bool rtl;                   // right-to-left paragraph
    std::uint8_t baseLevel;     // 1 for right to left, 0 for left to right
    std::uint8_t paragraph;     // kR or kL
    const unsigned char* mask;  // direction mask, may be null
    unsigned char* bytes;       // n + 1 entries each
    std::uint8_t* classes;
    std::uint8_t* levels;
    std::uint8_t* scratch;          // per-pass lookahead table
    std::uint8_t highest = 0;       // levels present after the implicit levels
    std::uint8_t lowestOdd = 0xFF;  // 0xFF when no odd level is present
    // In a right-to-left paragraph the reversal at level 1 is left to the
    // output, which reverses the whole line anyway.
    bool lowestLevelLeftToOutput = false;

    bool TypedAsHebrew(std::size_t i) const { return mask != nullptr && mask[i] == 2; }
};

// The space-like set and the mirrored brackets, as tables over all bytes.
struct ByteSets {
    std::array<bool, 256> spaceLike{};
    std::array<unsigned char, 256> partner{};  // 0 when not mirrored
    constexpr ByteSets() {
        constexpr char kSpaceLike[] = " ./;,\"*@`~";
        constexpr char kMirrorPairs[] = "()[]{}<>";  // partners side by side
        for (const char* p = kSpaceLike; *p != 0; ++p)
            spaceLike[static_cast<unsigned char>(*p)] = true;
        for (int i = 0; kMirrorPairs[i] != 0; ++i)
            partner[static_cast<unsigned char>(kMirrorPairs[i])] =
                static_cast<unsigned char>(kMirrorPairs[i ^ 1]);
    }
};
inline constexpr ByteSets kByteSets;

inline bool IsSpaceLike(unsigned char byte) {
    return kByteSets.spaceLike[byte];
}
// Space-like but not the space itself.
inline bool IsPunctuation(unsigned char byte) {
    return byte != ' ' && kByteSets.spaceLike[byte];
}
inline unsigned char MirrorPartner(unsigned char byte) {
    return kByteSets.partner[byte];
}

// The passes, in the order reorder.cpp runs them.  Neighbouring steps of the
// rules that only look at positions already passed share one loop, so that
// a long line is walked as few times as possible.

// Narrows and classifies, adjusts the classes, assigns the explicit levels
// and joins separators between numbers.
void ClassifyLine(Line& line, const wchar_t* text);
// Terminators and neutrals that belong to numbers, in one pass.
void ResolveNumberRuns(Line& line);
// Flattens the leftover number classes, resolves the neutrals and applies
// the implicit levels; leaves the highest and lowest odd level in line.
void ResolveNeutrals(Line& line);
// Reverses the runs of each level, from the highest to the lowest odd one.
void ReverseRuns(Line& line, std::uint32_t* indexMap);
// Writes the output; in a right-to-left paragraph reversed and mirrored.
void WriteOutput(const Line& line, wchar_t* out, std::uint32_t* indexMap);

}  // namespace tarsil::hebrew::detail
