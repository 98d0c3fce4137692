#pragma once

// The services of the host's system registry, each looked up by its name
// and checked for its class; null when the registry lacks it.
class AcRxClass;
class AcRxDynamicLinker;
class AcEdCommandStack;

namespace tarsil::host {

AcRxDynamicLinker* DynamicLinkerService();
AcEdCommandStack* CommandStackService();
// A run-time class from the class dictionary, null when not registered.
AcRxClass* LookUpClass(const wchar_t* name);

// Lets the host unload the module later.
void UnlockApplication(void* app_id);
// Declares that the module works with several open documents.
void RegisterMdiAware(void* app_id);
// Loads (or switches on) one of the host's modules by name, quietly.
void LoadHostModule(const wchar_t* module_name);

}  // namespace tarsil::host
