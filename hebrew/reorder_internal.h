// The working state of one reordering call and the passes that run on it,
// one pass per source file, in the order reorder.cpp calls them.
#pragma once

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
    std::uint8_t* scratch;  // per-pass lookahead table

    bool TypedAsHebrew(std::size_t i) const { return mask != nullptr && mask[i] == 2; }
};

// Bytes of a space-like set and the mirrored brackets.
bool IsSpaceLike(unsigned char byte);
bool IsPunctuation(unsigned char byte);           // space-like but not the space
unsigned char MirrorPartner(unsigned char byte);  // 0 when not mirrored

void ClassifyBytes(Line& line);         // narrow and classify, adjust classes
void AssignExplicitLevels(Line& line);  // explicit levels
void ResolveNumbers(Line& line);        // separators, terminators, neutrals in numbers, flatten
void ResolveNeutrals(Line& line);       // neutral resolution
void ApplyImplicitLevels(Line& line);   // implicit levels
void ReverseRuns(Line& line, std::uint32_t* indexMap);  // reorder, right-to-left finish

}  // namespace tarsil::hebrew::detail
