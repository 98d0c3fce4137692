#include "host/commands/tscfg/tscfg_command.h"

#include "host/layer/host_windows.h"

namespace tarsil {

void TscfgCommand() {
    if (!host::RequireHostWindow(L"TSCFG")) return;
    RunConfigurationSheet(host::HostFrame());
}

}  // namespace tarsil
