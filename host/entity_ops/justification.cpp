#include "host/entity_ops/justification.h"

namespace tarsil {

const std::array<Justification, kJustificationCount>& JustificationTable() {
    static const std::array<Justification, kJustificationCount> table = {{
        {L"Left", 0, 0},
        {L"Center", 1, 0},
        {L"Right", 2, 0},
        {L"Aligned", 3, 0},
        {L"Middle", 4, 0},
        {L"Fit", 5, 0},
        {L"Top Left", 0, 3},
        {L"Top Center", 1, 3},
        {L"Top Right", 2, 3},
        {L"Middle Left", 0, 2},
        {L"Middle Center", 1, 2},
        {L"Middle Right", 2, 2},
        {L"Bottom Left", 0, 1},
        {L"Bottom Center", 1, 1},
        {L"Bottom Right", 2, 1},
    }};
    return table;
}

Justification JustificationOf(int index) {
    if (index < 0 || index >= kJustificationCount) return JustificationTable()[0];
    return JustificationTable()[static_cast<std::size_t>(index)];
}

int JustificationIndex(int horizontalMode, int verticalMode) {
    // Aligned, middle and fit ignore the vertical mode.
    if (horizontalMode >= 3 && horizontalMode <= 5) return horizontalMode;
    const auto& table = JustificationTable();
    for (int i = 0; i < kJustificationCount; ++i) {
        const Justification& j = table[static_cast<std::size_t>(i)];
        if (j.horizontalMode == horizontalMode && j.verticalMode == verticalMode) return i;
    }
    return 0;
}

}  // namespace tarsil
