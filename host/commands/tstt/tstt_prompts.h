// What TSTT asks on the command line before the editor opens.
#pragma once

#include <optional>
#include <vector>

#include "host/entity_ops/text_properties.h"

namespace tarsil {

inline constexpr wchar_t kSelectTextsPrompt[] = L"\nSelect texts for editing or Enter for NEW: ";
inline constexpr wchar_t kRemoveTextsPrompt[] = L"\nSelect objects to remove: ";
inline constexpr wchar_t kStartPointPrompt[] = L"\nSpecify start point of text: ";
inline constexpr wchar_t kRotationPrompt[] = L"Specify rotation angle of text <0>:";

// The texts to edit: one record per selected TEXT, in selection order; on
// Enter, the new text's record (AskForNewText).  Nothing when the user
// cancels or the host reports an error.
std::optional<std::vector<CTextProperties>> AskForTextRecords();

// The record of a new text: its start point (world coordinates) and its
// rotation, the angle typed (0 on Enter) plus the angle of the user
// coordinate system's X axis.  Nothing when either prompt is cancelled.
std::optional<CTextProperties> AskForNewText();

// One record per text, object id only.
std::vector<CTextProperties> RecordsOf(const std::vector<AcDbObjectId>& texts);

}  // namespace tarsil
