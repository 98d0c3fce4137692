// Explicit and implicit embedding levels, applied one position at a time
// inside the passes that classify and resolve the line.
#pragma once

#include <algorithm>

#include "hebrew/reorder_internal.h"

namespace tarsil::hebrew::detail {

// The general operation raises the level by one at the first change of
// strong direction and then swaps it with the spare level at every later
// change; a control character sends it back to the base level but keeps the
// spare.  So levels only take the values 0, base and base + 1 here, and at
// most base + 3 after the implicit levels.  The variants keep every byte at
// the base level (0 for control characters).
class ExplicitLevels {
  public:
    explicit ExplicitLevels(const Line& line)
        : alternate_(line.variant == Variant::kLogicalToVisual),
          base_(line.baseLevel),
          current_(line.baseLevel) {}

    std::uint8_t Next(std::uint8_t c) {
        if (c == kNone) {
            current_ = base_;
            return 0;
        }
        if (!alternate_ || !IsStrong(c)) return base_;
        if (lastStrong_ != kNone && lastStrong_ != c) {
            if (spare_ == kEmpty) {
                spare_ = current_++;
            } else {
                std::swap(spare_, current_);
            }
        }
        lastStrong_ = c;
        return static_cast<std::uint8_t>(current_);
    }

  private:
    static constexpr int kEmpty = -1;
    bool alternate_;
    int base_;
    int current_;
    int spare_ = kEmpty;
    std::uint8_t lastStrong_ = kNone;
};

// Implicit levels of resolved positions, taken in logical order.
class ImplicitLevels {
  public:
    void Apply(std::uint8_t c, std::uint8_t& level) {
        if (level & 1) {
            if (c == kL || c == kEN || c == kAN) ++level;
        } else if (c == kR) {
            ++level;
        } else if (c == kAN || (c == kEN && lastStrong_ != kR)) {
            level += 2;
        }
        if (IsStrong(c)) lastStrong_ = c;
        highest = std::max(highest, level);
        if (level & 1) lowestOdd = std::min(lowestOdd, level);
    }

    std::uint8_t highest = 0;
    std::uint8_t lowestOdd = 0xFF;

  private:
    std::uint8_t lastStrong_ = kNone;
};

}  // namespace tarsil::hebrew::detail
