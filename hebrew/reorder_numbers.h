// Number rules that look only at a position and its neighbours.
#pragma once

#include "hebrew/reorder_internal.h"

namespace tarsil::hebrew::detail {

// A separator between two digits joins them into one number (0 < i < n-1;
// position i + 1 still has its adjusted class).
inline void ResolveSeparatorAt(Line& line, std::size_t i) {
    std::uint8_t* cls = line.classes;
    if (cls[i] != kES && cls[i] != kCS) return;
    const bool betweenEN = cls[i - 1] == kEN && cls[i + 1] == kEN;
    if (cls[i] == kES) {
        if (betweenEN) cls[i] = kEN;
    } else if (betweenEN) {
        cls[i] = kEN;
    } else if (line.variant == Variant::kMasked) {
        if (line.TypedAsHebrew(i)) cls[i] = kR;
    } else if (cls[i - 1] == kAN && cls[i + 1] == kAN) {
        cls[i] = kAN;
    }
}

}  // namespace tarsil::hebrew::detail
