#pragma once

// The host as a whole: its start, its command loop and its end.
#include <string>

namespace cadhost {
// Registers the host's commands, the LISP hooks and the built-in modules;
// safe to call more than once.
void initHost();
// Reads commands from the input until QUIT or the end of input: each line
// at "Command: " is a command name (words after it are its first answers)
// or, when it begins with "(", a LISP expression whose value is printed.
// Queued LISP expressions run before each prompt.
void runCommandLoop();
// Runs one line as the command loop would.
void runCommandLine(const std::wstring& line);
bool quitRequested();
void requestQuit();
// Pre-quit and unload to every module, then every drawing closed.
void shutdownHost();
// Back to a fresh host: no modules, no drawings, session variables reset,
// no input queued (tests).
void resetHost();
// Registration of the host's own commands (one function per file).
void registerFileCommands();
void registerEditCommands();
void registerListCommand();
void registerUcsCommand();
void registerSetvarCommand();
}  // namespace cadhost
