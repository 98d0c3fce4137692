// The fifteen justifications that the editors offer for a single-line
// text, and their pairs of host horizontal and vertical modes.
#pragma once

#include <array>
#include <string>

namespace tarsil {

struct Justification {
    const wchar_t* name;
    int horizontalMode;  // 0 left, 1 center, 2 right, 3 aligned, 4 middle, 5 fit
    int verticalMode;    // 0 baseline, 1 bottom, 2 middle, 3 top
};

inline constexpr int kJustificationCount = 15;
inline constexpr int kJustificationAligned = 3;
inline constexpr int kJustificationFit = 5;

const std::array<Justification, kJustificationCount>& JustificationTable();

// The pair of modes for an index; an index outside the table gives Left.
Justification JustificationOf(int index);

// The index of a pair of modes: horizontal modes 3, 4 and 5 whatever the
// vertical mode, otherwise the pair's entry; 0 for a pair not in the table.
int JustificationIndex(int horizontalMode, int verticalMode);

}  // namespace tarsil
