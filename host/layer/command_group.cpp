#include "host/layer/command_group.h"

#include "cadhost/apdoc/docmanager.h"
#include "cadhost/editor/commandstack.h"
#include "host/layer/registry_services.h"

namespace tarsil::host {

void AddCommandGroup(const wchar_t* group, std::span<const CommandRow> rows) {
    for (const CommandRow& row : rows) {
        if (AcEdCommandStack* stack = CommandStackService()) {
            stack->addCommand(group, row.global_name, row.local_name, row.flags, row.handler,
                              nullptr, -1, nullptr);
        }
    }
}

void RemoveCommandGroup(const wchar_t* group) {
    if (AcEdCommandStack* stack = CommandStackService()) stack->removeGroup(group);
}

ModuleResourceScope::ModuleResourceScope(HINSTANCE module_resources) {
    acDocManagerPtr()->pushResourceHandle(module_resources);
}

ModuleResourceScope::~ModuleResourceScope() {
    acDocManagerPtr()->popResourceHandle();
}

}  // namespace tarsil::host
