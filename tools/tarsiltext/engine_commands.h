// The text engine's subcommands of tarsiltext.
#pragma once

#include <CLI/CLI.hpp>

#include "tools/tarsiltext/records.h"

namespace tarsil::tools {

// Adds l2v, l2v-masked, v2l, table, dos2win, win2dos, dos2win-rev,
// win2dos-rev, escapes, contains-dos and contains-win.  `options` is filled
// by the record flags while parsing and read when a subcommand runs.
void addEngineCommands(CLI::App& app, RecordOptions& options);

}  // namespace tarsil::tools
