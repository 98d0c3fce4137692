// The TSTT command, and its two halves for the host's text commands that
// the module replaces.
#pragma once

#include <vector>

#include "cadhost/db/objectid.h"

namespace tarsil {

// Select texts (or Enter for a new one) and edit them.
void TsttCommand();
// Asks for a new text's point and angle and opens the editor on it;
// command names the command the user ran, for the line printed when the
// host has no window.
void TsttNewText(const wchar_t* command);
// Opens the editor on the given texts.
void TsttEditTexts(const wchar_t* command, const std::vector<AcDbObjectId>& texts);

}  // namespace tarsil
