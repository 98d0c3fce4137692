// Subcommands of tarsiltext for INI and font map files.
#pragma once

#include <CLI/CLI.hpp>

#include "tools/tarsiltext/records.h"

namespace tarsil::tools {

// Adds ini-get, ini-set, ini-keys, ini-delete-section, map-list and
// map-find.  Files are opened as the module opens its own: auto-save,
// create-if-missing and ignore-case on, backups off.  Texts on the command
// line are bytes, or UTF-8 under --utf8; results are records.
void addIniCommands(CLI::App& app, RecordOptions& options);

}  // namespace tarsil::tools
