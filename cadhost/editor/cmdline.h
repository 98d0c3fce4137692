#pragma once

// The host's command line: what the host and the modules print, and where
// it goes (standard output in the program, a buffer in tests).
#include <functional>
#include <string>

#include "cadhost/rx/adsdefs.h"

// printf-style output on the command line; "%s" takes a wide string and
// "%hs" a narrow one, as the host's own format rules have it.
int acutPrintf(const ACHAR* format, ...);
// Shows a message to the user; without a window it is a line on the command line.
int acedAlert(const ACHAR* message);

namespace cadhost {
// Translates a format string of the host's rules to the C library's wide rules.
std::wstring windowsFormat(const std::wstring& format);
// Writes text to the command line as it is.
void writeCommandLine(const std::wstring& text);
void flushCommandLine();
// Replaces the command line's destination; an empty sink restores standard output.
using CommandLineSink = std::function<void(const std::wstring&)>;
void setCommandLineSink(CommandLineSink sink);
// Replaces what acedAlert does (a window shows a message box); empty restores the line.
using AlertHandler = std::function<void(const std::wstring&)>;
void setAlertHandler(AlertHandler handler);
}  // namespace cadhost
