// The strings of all single-line texts or all MTexts of the working drawing,
// for word completion.
#pragma once

#include <string>
#include <vector>

namespace tarsil::layer {

enum class TextKind { kText, kMText };

// Selects every entity of the kind in the whole drawing (selection "X"
// filtered by "TEXT" or "MTEXT") and gives each one's string (an MText's
// contents, with its formatting codes) in the selection's order.  An entity
// that cannot be opened is skipped; an empty drawing gives nothing.
std::vector<std::wstring> AllTextStrings(TextKind kind);

}  // namespace tarsil::layer
