#pragma once

namespace tarsil {

// Function codes of the module's replacements for the host's commands.
inline constexpr short kDdeditFunctionCode = 2802;
inline constexpr short kDtextFunctionCode = 2803;
inline constexpr short kTextFunctionCode = 2804;

// The host's own double-click editing module, brought back on removal.
inline constexpr wchar_t kHostDoubleClickModule[] = L"ACDBLCLKEDITPE.ARX";

// install: undefines DDEDIT, DTEXT and TEXT through the host's command
// line queue, defines "C:DDEDIT", "C:DTEXT" and "C:TEXT" in their place and
// registers the double-click handler for text.  Not install: takes the
// handler away, giving the host its own back, and with
// restore_host_commands also redefines the host's commands.
void SetHostEditReplacement(bool install, bool restore_host_commands);

// Whether the module's double-click handler is registered now.
bool HostEditReplacementInstalled();

}  // namespace tarsil
