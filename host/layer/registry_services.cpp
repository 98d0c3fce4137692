#include "host/layer/registry_services.h"

#include "cadhost/editor/commandstack.h"
#include "cadhost/rx/dynlinker.h"

namespace tarsil::host {

AcRxDynamicLinker* DynamicLinkerService() {
    AcRxDictionary* registry = acrxSysRegistry();
    return registry != nullptr ? AcRxDynamicLinker::cast(registry->at(ACRX_DYNAMIC_LINKER))
                               : nullptr;
}

AcEdCommandStack* CommandStackService() {
    AcRxDictionary* registry = acrxSysRegistry();
    return registry != nullptr ? AcEdCommandStack::cast(registry->at(ACRX_COMMAND_DOCK)) : nullptr;
}

AcRxClass* LookUpClass(const wchar_t* name) {
    AcRxDictionary* registry = acrxSysRegistry();
    if (registry == nullptr) return nullptr;
    auto* classes = AcRxDictionary::cast(registry->at(ACRX_CLASS_DICTIONARY));
    if (classes == nullptr) return nullptr;
    AcRxObject* found = classes->at(name);
    return found != nullptr && found->isKindOf(AcRxClass::desc()) ? static_cast<AcRxClass*>(found)
                                                                  : nullptr;
}

void UnlockApplication(void* app_id) {
    if (AcRxDynamicLinker* linker = DynamicLinkerService()) linker->unlockApplication(app_id);
}

void RegisterMdiAware(void* app_id) {
    if (AcRxDynamicLinker* linker = DynamicLinkerService()) linker->registerAppMDIAware(app_id);
}

void LoadHostModule(const wchar_t* module_name) {
    if (AcRxDynamicLinker* linker = DynamicLinkerService()) linker->loadModule(module_name, false);
}

}  // namespace tarsil::host
