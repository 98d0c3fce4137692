#include "host/module/command_table.h"

#include <array>

#include "host/commands/tscfg/tscfg_command.h"
#include "host/commands/tsta/tsta_command.h"
#include "host/commands/tstd/tstd_command.h"
#include "host/commands/tstm/tstm_command.h"
#include "host/commands/tstt/tstt_command.h"
#include "host/module/module_file.h"

namespace tarsil {

namespace {

// A command joins this table, in the order TSTT, TSTA, TSTM, TSTD, TSCFG,
// together with the editor it opens: no command is offered before it works.
// Flags: 7 (transparent, use pick set, redraw) for the editors, 1 for TSCFG.
// The module's resources are current while a command runs.
template <void (*Command)()>
void WithModuleResources() {
    host::ModuleResourceScope resources(ModuleResourceHandle());
    Command();
}

constexpr std::array<host::CommandRow, 5> kCommandTable{{
    {L"KRDV_TSTT", L"TSTT", 7, TsttCommand},
    {L"KRDV_TSTA", L"TSTA", 7, &WithModuleResources<&RunTsta>},
    {L"KRDV_TSTM", L"TSTM", 7, &WithModuleResources<&RunTstm>},
    {L"KRDV_TSTD", L"TSTD", 7, &WithModuleResources<&RunTstd>},
    {L"KRDV_TSCFG", L"TSCFG", 1, &WithModuleResources<&TscfgCommand>},
}};

}  // namespace

std::span<const host::CommandRow> CommandTable() {
    return kCommandTable;
}

void RegisterCommandTable(std::span<const host::CommandRow> rows) {
    host::ModuleResourceScope resources(ModuleResourceHandle());
    host::AddCommandGroup(kCommandGroupName, rows);
}

void RemoveCommandTable() {
    host::RemoveCommandGroup(kCommandGroupName);
}

}  // namespace tarsil
