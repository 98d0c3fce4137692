#include <string.h>

#include <algorithm>
#include <array>

#include "hebrew/reorder_internal.h"

namespace tarsil::hebrew::detail {
namespace {

// Reverses every maximal run of positions whose level is at least k.  The
// levels stay in logical order: a run reversed at level k lies inside the
// runs of every lower level, so moving its levels along would not change
// which positions those runs cover.
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

// In a right-to-left paragraph a bracket is swapped when the level at its
// output position, taken as a logical position, is odd; stored drawings
// depend on exactly this.  Selected by a mask, as brackets come at random.
constexpr auto kMirroredByte = [] {
    std::array<unsigned char, 256> t{};
    for (int b = 0; b < 256; ++b) {
        const unsigned char partner = MirrorPartner(static_cast<unsigned char>(b));
        t[b] = partner != 0 ? partner : static_cast<unsigned char>(b);
    }
    return t;
}();
inline wchar_t Mirrored(const Line& line, std::size_t p, unsigned char b) {
    const unsigned odd = 0u - (line.levels[p] & 1u);
    return static_cast<wchar_t>(b ^ ((kMirroredByte[b] ^ b) & odd));
}

// Reversing the runs of level 1 and then the whole line puts those runs in
// reverse order, each in its own order, with the level-0 bytes between them.
void WriteRunsInReverseOrder(const Line& line, wchar_t* out) {
    const std::uint8_t* levels = line.levels;
    std::size_t o = 0;
    for (std::size_t e = line.n; e > 0;) {
        std::size_t s = e - 1;
        if (levels[s] != 0) {
            // The run starts after the last level 0 before it.
            const void* zero = memrchr(levels, 0, s);
            s = zero == nullptr ? 0 : static_cast<const std::uint8_t*>(zero) - levels + 1;
        }
        for (std::size_t i = s; i < e; ++i, ++o) out[o] = Mirrored(line, o, line.bytes[i]);
        e = s;
    }
}

}  // namespace

// Reversals at level k stay inside the maximal runs of the lowest level
// reversed, so each such run gets all its reversals while it is in the
// cache.  Levels never exceed base + 3 (see ExplicitLevels), so a run is
// walked at most four times.
void ReverseRuns(Line& line, std::uint32_t* indexMap) {
    const std::size_t n = line.n;
    if (indexMap != nullptr)
        for (std::size_t i = 0; i <= n; ++i) indexMap[i] = static_cast<std::uint32_t>(i);
    if (line.lowestOdd == 0xFF) return;  // no odd level: the text stays in order
    line.lowestLevelLeftToOutput = line.rtl && line.lowestOdd == 1;
    const std::uint8_t lowest = line.lowestLevelLeftToOutput ? 2 : line.lowestOdd;
    const std::uint8_t* levels = line.levels;
    for (std::size_t s = 0; s < n;) {
        if (levels[s] < lowest) {
            ++s;
            continue;
        }
        std::uint8_t highest = levels[s];
        std::size_t e = s + 1;
        for (; e < n && levels[e] >= lowest; ++e) highest = std::max(highest, levels[e]);
        if (highest == lowest) {  // the usual case: one reversal, no nesting
            std::reverse(line.bytes + s, line.bytes + e);
            if (indexMap != nullptr) std::reverse(indexMap + s, indexMap + e);
            s = e;
            continue;
        }
        for (int k = highest; k >= lowest; --k) {
            const auto level = static_cast<std::uint8_t>(k);
            ReverseRunsAtLeast(levels + s, e - s, level, line.bytes + s);
            if (indexMap != nullptr) ReverseRunsAtLeast(levels + s, e - s, level, indexMap + s);
        }
        s = e;
    }
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
