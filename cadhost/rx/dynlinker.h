#pragma once

// The dynamic linker: loads module files, sends them the application
// messages and unloads them.  A module exports
//   extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* appId);
//   extern "C" int acrxGetApiVersion();
#include <string>
#include <vector>

#include "cadhost/rx/rxobject.h"

#define ACRX_DYNAMIC_LINKER L"DynamicLinker"
#define ACRX_COMMAND_DOCK L"ACAD_REGISTERED_COMMANDS"
#define ACRX_CLASS_DICTIONARY L"ClassDictionary"
// The API release of this host (20.0); a module of another release is refused.
#define ACRX_API_VERSION 0x00140000

typedef AcRx::AppRetCode (*AcRxEntryPointFn)(AcRx::AppMsgCode, void*);
typedef int (*AcRxApiVersionFn)();

class AcRxDynamicLinker : public AcRxObject {
  public:
    static AcRxClass* desc();
    static AcRxDynamicLinker* cast(const AcRxObject* p);
    AcRxClass* isA() const override;

    // Loads a module file, sends it the initialise message and then a
    // drawing-loaded message for each open drawing.  A name of one of the
    // host's own modules switches that module on.
    bool loadModule(const ACHAR* fileName, bool printit, bool asCmd = false);
    // Sends the unload message and unloads; a locked module stays.
    bool unloadModule(const ACHAR* fileName, bool printit, bool asCmd = false);
    bool unlockApplication(void* appId) const;
    bool lockApplication(void* appId) const;
    bool isApplicationLocked(const ACHAR* fileName) const;
    bool registerAppMDIAware(void* appId) const;
    bool registerAppNotMDIAware(void* appId) const;
    // File names of the loaded modules, in load order.
    std::vector<std::wstring> loadedModules() const;
};

#define acrxDynamicLinker AcRxDynamicLinker::cast(acrxSysRegistry()->at(ACRX_DYNAMIC_LINKER))

namespace cadhost {
// Sends a message to every loaded module (drawing loaded, pre-quit).
void broadcastAppMessage(AcRx::AppMsgCode msg);
// Pre-quit to every module, then unload of every module, last loaded first.
void unloadAllModules();
// The module whose message is being handled now (null outside messages).
void* currentAppId();
// Sends the invoke message to the module that defined the function.
bool invokeModuleFunction(void* appId, int functionCode);
// The function code of the invoke message being handled, -1 outside one.
int currentFunctionCode();
// Whether the module of this id is MDI-aware (for tests and LIST of modules).
bool isAppMdiAware(void* appId);
// Called when a module goes: the LISP part forgets its functions.
void setModuleUnloadHook(void (*hook)(void* appId));
// A built-in module of the host, switched on and off by name.
void addBuiltinModule(const std::wstring& name, void (*load)(), void (*unload)());
}  // namespace cadhost
