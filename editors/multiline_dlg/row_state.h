// What a numeric field of the editor shows for the selected rows: the
// height or the angle that they share, or an empty field when they differ.
// A row whose justification is Aligned or Fit takes its height and angle
// from its two baseline points, so the field cannot set them: it is
// disabled while such a row is selected.
#pragma once

#include <vector>

namespace tarsil::editors::multiline {

enum class FieldState {
    kValue,          // the value, enabled
    kDisabled,       // the value, disabled
    kEmptyEnabled,   // no value, enabled: typing sets every selected row
    kEmptyDisabled,  // no value, disabled
};

struct RowValue {
    double value = 0.0;
    bool fixedByPoints = false;  // Aligned or Fit
};

struct FieldAnswer {
    FieldState state = FieldState::kEmptyDisabled;
    double value = 0.0;  // the focus row's, for kValue and kDisabled
};

// selected: the selected rows' values; focus: the focus row's value (the
// reference shown when they agree).  No selected row disables the field.
FieldAnswer FieldOverRows(const std::vector<RowValue>& selected, double focus);

}  // namespace tarsil::editors::multiline
