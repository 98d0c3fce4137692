#include "hebrew/reorder_internal.h"

namespace tarsil::hebrew::detail {
namespace {

// The level goes up by one at the first change of strong direction and then
// swaps with the spare level at every later change, so levels only ever take
// the values 0, base and base + 1 here (and at most base + 3 after the
// implicit levels).
void AlternatingLevels(Line& line) {
    constexpr int kEmpty = -1;
    int current = line.baseLevel, spare = kEmpty;
    std::uint8_t lastStrong = kNone;
    for (std::size_t i = 0; i < line.n; ++i) {
        const std::uint8_t c = line.classes[i];
        if (IsStrong(c)) {
            if (lastStrong != kNone && lastStrong != c) {
                if (spare == kEmpty) {
                    spare = current++;
                } else {
                    const int t = spare;
                    spare = current;
                    current = t;
                }
            }
            lastStrong = c;
            line.levels[i] = static_cast<std::uint8_t>(current);
        } else if (c == kNone) {
            line.levels[i] = 0;
            current = line.baseLevel;
        } else {
            line.levels[i] = line.baseLevel;
        }
    }
}

void FlatLevels(Line& line) {
    for (std::size_t i = 0; i < line.n; ++i)
        line.levels[i] = line.classes[i] == kNone ? 0 : line.baseLevel;
}

}  // namespace

void AssignExplicitLevels(Line& line) {
    if (line.variant == Variant::kLogicalToVisual)
        AlternatingLevels(line);
    else
        FlatLevels(line);
}

void ApplyImplicitLevels(Line& line) {
    std::uint8_t lastStrong = kNone;
    for (std::size_t i = 0; i < line.n; ++i) {
        const std::uint8_t c = line.classes[i];
        std::uint8_t& level = line.levels[i];
        if (level & 1) {
            if (c == kL || c == kEN || c == kAN) ++level;
        } else if (c == kR) {
            ++level;
        } else if (c == kAN || (c == kEN && lastStrong != kR)) {
            level += 2;
        }
        if (IsStrong(c)) lastStrong = c;
    }
}

}  // namespace tarsil::hebrew::detail
