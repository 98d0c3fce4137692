#include "editors/multiline_dlg/row_state.h"

#include <algorithm>
#include <cmath>

namespace tarsil::editors::multiline {

namespace {

// Heights and angles read back from the drawing differ in their last bits
// after a round trip through degrees; they agree when they print alike.
bool Same(double a, double b) {
    return std::fabs(a - b) <= 1e-9 * std::max({1.0, std::fabs(a), std::fabs(b)});
}

}  // namespace

FieldAnswer FieldOverRows(const std::vector<RowValue>& selected, double focus) {
    if (selected.empty()) return {FieldState::kDisabled, focus};
    const bool agree = std::all_of(selected.begin(), selected.end(), [&](const RowValue& row) {
        return Same(row.value, selected.front().value);
    });
    const bool fixed = std::any_of(selected.begin(), selected.end(),
                                   [](const RowValue& row) { return row.fixedByPoints; });
    if (agree) return {fixed ? FieldState::kDisabled : FieldState::kValue, focus};
    return {fixed ? FieldState::kEmptyDisabled : FieldState::kEmptyEnabled, 0.0};
}

}  // namespace tarsil::editors::multiline
