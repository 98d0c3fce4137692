// Explicit and implicit embedding levels, applied one position at a time
// inside the passes that classify and resolve the line.  Both are small
// state machines driven by tables, so that the mix of classes in real text
// costs no mispredicted branch.
#pragma once

#include <array>
#include <bit>
#include <utility>

#include "hebrew/reorder_internal.h"

namespace tarsil::hebrew::detail {

inline constexpr int kClasses = kON + 1;

// The general operation raises the level by one at the first change of
// strong direction and then swaps it with the spare level at every later
// change; a control character sends it back to the base level but keeps the
// spare.  So levels only take the values 0, base and base + 1 here, and at
// most base + 3 after the implicit levels.  The variants keep every byte at
// the base level (0 for control characters).
//
// A state is the last strong class (none, L, R), the current level (base,
// base + 1) and the spare level (none yet, base, base + 1).
inline constexpr int kExplicitStates = 3 * 2 * 3;
struct ExplicitStep {
    std::uint8_t next;
    std::uint8_t level;
};
using ExplicitTable = std::array<std::array<ExplicitStep, kClasses>, kExplicitStates>;

constexpr ExplicitTable BuildExplicitTable(bool alternate, int base) {
    ExplicitTable table{};
    for (int state = 0; state < kExplicitStates; ++state) {
        for (int c = 0; c < kClasses; ++c) {
            int lastStrong = state / 6;
            int current = base + state / 3 % 2;
            int spare = state % 3 == 0 ? -1 : base + state % 3 - 1;
            int level;
            if (c == kNone) {
                current = base;
                level = 0;
            } else if (!alternate || !IsStrong(static_cast<std::uint8_t>(c))) {
                level = base;
            } else {
                if (lastStrong != kNone && lastStrong != c) {
                    if (spare == -1) {
                        spare = current++;
                    } else {
                        std::swap(spare, current);
                    }
                }
                lastStrong = c;
                level = current;
            }
            // A current level of base + 2 would need a state with a raised
            // level and no spare, which no line reaches.
            const int raised = current - base > 1 ? 1 : current - base;
            const int next = lastStrong * 6 + raised * 3 + (spare == -1 ? 0 : spare - base + 1);
            table[state][c] = {static_cast<std::uint8_t>(next), static_cast<std::uint8_t>(level)};
        }
    }
    return table;
}
// [general operation][base level]
inline constexpr ExplicitTable kExplicitTables[2][2] = {
    {BuildExplicitTable(false, 0), BuildExplicitTable(false, 1)},
    {BuildExplicitTable(true, 0), BuildExplicitTable(true, 1)}};

// Two positions per step: [state][first class * kClasses + second class].
struct ExplicitPairStep {
    std::uint8_t next;
    std::uint8_t first;
    std::uint8_t second;
};
using ExplicitPairTable =
    std::array<std::array<ExplicitPairStep, kClasses * kClasses>, kExplicitStates>;

constexpr ExplicitPairTable BuildExplicitPairTable(const ExplicitTable& single) {
    ExplicitPairTable table{};
    for (int state = 0; state < kExplicitStates; ++state)
        for (int c1 = 0; c1 < kClasses; ++c1)
            for (int c2 = 0; c2 < kClasses; ++c2) {
                const ExplicitStep a = single[state][c1];
                const ExplicitStep b = single[a.next][c2];
                table[state][c1 * kClasses + c2] = {b.next, a.level, b.level};
            }
    return table;
}
inline constexpr ExplicitPairTable kExplicitPairTables[2][2] = {
    {BuildExplicitPairTable(kExplicitTables[0][0]), BuildExplicitPairTable(kExplicitTables[0][1])},
    {BuildExplicitPairTable(kExplicitTables[1][0]), BuildExplicitPairTable(kExplicitTables[1][1])}};

class ExplicitLevels {
  public:
    explicit ExplicitLevels(const Line& line)
        : table_(&kExplicitTables[line.variant == Variant::kLogicalToVisual][line.baseLevel]),
          pairs_(&kExplicitPairTables[line.variant == Variant::kLogicalToVisual][line.baseLevel]) {}

    std::uint8_t Next(std::uint8_t c) {
        const ExplicitStep step = (*table_)[state_][c];
        state_ = step.next;
        return step.level;
    }
    // Two positions at once: each step waits on the one before, so taking
    // two per step halves the wait.
    void NextPair(std::uint8_t c1, std::uint8_t c2, std::uint8_t& level1, std::uint8_t& level2) {
        const ExplicitPairStep step = (*pairs_)[state_][c1 * kClasses + c2];
        state_ = step.next;
        level1 = step.first;
        level2 = step.second;
    }

  private:
    const ExplicitTable* table_;
    const ExplicitPairTable* pairs_;
    std::uint8_t state_ = 0;  // no strong class yet, at the base level
};

// Implicit levels of resolved positions, taken in logical order.
class ImplicitLevels {
  public:
    // The level of a position of class c at the given explicit level.
    std::uint8_t Applied(std::uint8_t c, std::uint8_t level) {
        const std::uint8_t step = kSteps[(level & 1) << 5 | lastStrongIsR_ << 4 | c];
        level = static_cast<std::uint8_t>(level + (step & 3));
        lastStrongIsR_ = step >> 2;
        seen_ |= 1u << level;
        return level;
    }
    void Apply(std::uint8_t c, std::uint8_t& level) { level = Applied(c, level); }

    // The highest level applied so far, 0 when none.
    std::uint8_t Highest() const {
        return seen_ == 0 ? 0 : static_cast<std::uint8_t>(std::bit_width(seen_) - 1);
    }
    // The lowest odd level applied so far, 0xFF when none.
    std::uint8_t LowestOdd() const {
        const unsigned odd = seen_ & 0xAAAAAAAAu;
        return odd == 0 ? 0xFF : static_cast<std::uint8_t>(std::countr_zero(odd));
    }

  private:
    // One flat table, [odd level][last strong class was R][class], of the
    // raise (bits 0-1) and whether the last strong class is R afterwards
    // (bit 2): one load, and an index of a few shifts.
    static_assert(kClasses <= 16);
    static constexpr auto kSteps = [] {
        std::array<std::uint8_t, 64> t{};
        for (int odd = 0; odd < 2; ++odd)
            for (int afterR = 0; afterR < 2; ++afterR)
                for (int c = 0; c < kClasses; ++c) {
                    int raise = 0;
                    if (odd) {
                        if (c == kL || c == kEN || c == kAN) raise = 1;
                    } else if (c == kR) {
                        raise = 1;
                    } else if (c == kAN || (c == kEN && !afterR)) {
                        raise = 2;
                    }
                    const int isR = c == kR ? 1 : (c == kL ? 0 : afterR);
                    t[odd << 5 | afterR << 4 | c] = static_cast<std::uint8_t>(raise | isR << 2);
                }
        return t;
    }();

    std::uint8_t lastStrongIsR_ = 0;
    unsigned seen_ = 0;  // bit k: level k was applied
};

// What one piece of a line hands on to the next.
struct LineScan {
    explicit LineScan(const Line& line) : explicitLevels(line) {}
    ExplicitLevels explicitLevels;
    ImplicitLevels implicitLevels;
    std::uint8_t lastStrong = kNone;  // the general operation's strong class so far
    std::uint8_t behind = kNone;      // the variants' backward search result
};

}  // namespace tarsil::hebrew::detail
