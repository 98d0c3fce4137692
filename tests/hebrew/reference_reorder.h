// A plain, rule-by-rule reordering with the per-byte searches written out as
// searches.  It is slow (quadratic on long neutral runs) and exists only to
// check the engine's linear passes against.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarsil::hebrew::reference {

enum class Operation { kLogicalToVisual, kMasked, kVisualToLogical };

struct Result {
    std::string text;                // output bytes
    std::vector<std::uint32_t> map;  // n + 1 entries
};

// mask holds one byte (1 or 2) per byte of text; only kMasked reads it.
Result Reorder(Operation op, const std::string& text, bool ltrParagraph,
               const std::string& mask = {});

}  // namespace tarsil::hebrew::reference
