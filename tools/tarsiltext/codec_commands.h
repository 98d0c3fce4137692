// The drawing text codec's subcommands of tarsiltext.
#pragma once

#include <CLI/CLI.hpp>

#include "tools/tarsiltext/records.h"

namespace tarsil::tools {

// Adds decode, encode and convert.
void addCodecCommands(CLI::App& app, RecordOptions& options);

}  // namespace tarsil::tools
