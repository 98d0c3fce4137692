// The host's text commands as the module runs them while it replaces them
// ("C:DDEDIT", "C:DTEXT", "C:TEXT"): DTEXT and TEXT place a new text in the
// single-line editor; DDEDIT asks for an object and opens its editor.
#pragma once

namespace tarsil {

// Runs the replacement with the host's function code; false for a code
// that is not one of them.
bool RunReplacementCommand(int functionCode);

}  // namespace tarsil
