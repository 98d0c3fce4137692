#include <algorithm>

#include "hebrew/reorder_internal.h"

namespace tarsil::hebrew::detail {
namespace {

template <typename T>
void ReverseRunsAtLeast(const std::uint8_t* levels, std::size_t n, std::uint8_t k, T* data) {
    for (std::size_t s = 0; s < n;) {
        if (levels[s] < k) {
            ++s;
            continue;
        }
        std::size_t e = s + 1;
        while (e < n && levels[e] >= k) ++e;
        std::reverse(data + s, data + e);
        s = e;
    }
}

// Reverses every maximal run of positions whose level is at least k.  The
// levels stay in logical order: a run reversed at level k lies inside the
// runs of every lower level, so moving its levels along would not change
// which positions those runs cover.
void ReverseRunsAtLeast(Line& line, std::uint32_t* indexMap, std::uint8_t k) {
    ReverseRunsAtLeast(line.levels, line.n, k, line.bytes);
    if (indexMap != nullptr) ReverseRunsAtLeast(line.levels, line.n, k, indexMap);
}

// In a right-to-left paragraph a bracket is swapped when the level at its
// output position, taken as a logical position, is odd; stored drawings
// depend on exactly this.
inline wchar_t Mirrored(const Line& line, std::size_t p, unsigned char b) {
    const unsigned char partner = MirrorPartner(b);
    return partner != 0 && (line.levels[p] & 1) != 0 ? partner : b;
}

// Reversing the runs of level 1 and then the whole line puts those runs in
// reverse order, each in its own order, with the level-0 bytes between them.
void WriteRunsInReverseOrder(const Line& line, wchar_t* out) {
    const std::uint8_t* levels = line.levels;
    std::size_t o = 0;
    for (std::size_t e = line.n; e > 0;) {
        std::size_t s = e - 1;
        if (levels[s] != 0)
            while (s > 0 && levels[s - 1] != 0) --s;
        for (std::size_t i = s; i < e; ++i, ++o) out[o] = Mirrored(line, o, line.bytes[i]);
        e = s;
    }
}

}  // namespace

// Levels never exceed base + 3 (see ExplicitLevels), so this makes at most
// four passes over the line.
void ReverseRuns(Line& line, std::uint32_t* indexMap) {
    if (indexMap != nullptr)
        for (std::size_t i = 0; i <= line.n; ++i) indexMap[i] = static_cast<std::uint32_t>(i);
    if (line.lowestOdd == 0xFF) return;  // no odd level: the text stays in order
    line.lowestLevelLeftToOutput = line.rtl && line.lowestOdd == 1;
    const int lowest = line.lowestLevelLeftToOutput ? 2 : line.lowestOdd;
    for (int k = line.highest; k >= lowest; --k)
        ReverseRunsAtLeast(line, indexMap, static_cast<std::uint8_t>(k));
}

void WriteOutput(const Line& line, wchar_t* out, std::uint32_t* indexMap) {
    const std::size_t n = line.n;
    if (line.rtl) {
        // Reversed once more, listing the line from its right end.
        if (line.lowestLevelLeftToOutput) {
            WriteRunsInReverseOrder(line, out);
            if (indexMap != nullptr) ReverseRunsAtLeast(line.levels, n, 1, indexMap);
        } else {
            for (std::size_t p = 0; p < n; ++p) out[p] = Mirrored(line, p, line.bytes[n - 1 - p]);
        }
        if (indexMap != nullptr) std::reverse(indexMap, indexMap + n);
    } else {
        for (std::size_t p = 0; p < n; ++p) out[p] = line.bytes[p];
    }
    out[n] = 0;
}

}  // namespace tarsil::hebrew::detail
