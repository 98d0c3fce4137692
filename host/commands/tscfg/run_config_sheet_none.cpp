#include "host/commands/tscfg/tscfg_command.h"

namespace tarsil {

// Builds without Qt have no window to show the sheet in.
void RunConfigurationSheet(QWidget*) {}

}  // namespace tarsil
