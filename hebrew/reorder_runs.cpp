#include <algorithm>

#include "hebrew/reorder_internal.h"

namespace tarsil::hebrew::detail {
namespace {

void ReverseRange(Line& line, std::uint32_t* indexMap, std::size_t from, std::size_t to) {
    std::reverse(line.bytes + from, line.bytes + to);
    if (indexMap != nullptr) std::reverse(indexMap + from, indexMap + to);
}

// Reverses every maximal run of positions whose level is at least k.  The
// levels stay in logical order: a run reversed at level k lies inside the
// runs of every lower level, so moving its levels along would not change
// which positions those runs cover.
void ReverseRunsAtLeast(Line& line, std::uint32_t* indexMap, std::uint8_t k) {
    const std::size_t n = line.n;
    const std::uint8_t* levels = line.levels;
    for (std::size_t s = 0; s < n;) {
        if (levels[s] < k) {
            ++s;
            continue;
        }
        std::size_t e = s + 1;
        while (e < n && levels[e] >= k) ++e;
        if (e - s > 1) ReverseRange(line, indexMap, s, e);
        s = e;
    }
}

}  // namespace

// Levels never exceed base + 3 (see AssignExplicitLevels), so this makes at
// most five passes over the line.
void ReverseRuns(Line& line, std::uint32_t* indexMap) {
    const std::size_t n = line.n;
    if (indexMap != nullptr)
        for (std::size_t i = 0; i <= n; ++i) indexMap[i] = static_cast<std::uint32_t>(i);

    std::uint8_t highest = 0, lowestOdd = 0xFF;
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint8_t level = line.levels[i];
        highest = std::max(highest, level);
        if ((level & 1) != 0) lowestOdd = std::min(lowestOdd, level);
    }
    if (lowestOdd != 0xFF)
        for (int k = highest; k >= lowestOdd; --k)
            ReverseRunsAtLeast(line, indexMap, static_cast<std::uint8_t>(k));

    if (!line.rtl) return;
    ReverseRange(line, indexMap, 0, n);
    // The output position is tested against the level of the same logical
    // position; stored drawings depend on exactly this.
    for (std::size_t p = 0; p < n; ++p) {
        const unsigned char partner = MirrorPartner(line.bytes[p]);
        if (partner != 0 && (line.levels[p] & 1) != 0) line.bytes[p] = partner;
    }
}

}  // namespace tarsil::hebrew::detail
