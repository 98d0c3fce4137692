// A small module for the host's tests: it prints each message it gets,
// registers a command and two LISP functions, and answers invokes.
// Built as testmodule.arx; with TESTMODULE_FAIL_INIT it refuses to start.
#include "cadhost/apdoc/docmanager.h"
#include "cadhost/editor/cmdline.h"
#include "cadhost/editor/commandstack.h"
#include "cadhost/lisp/lisp.h"
#include "cadhost/rx/dynlinker.h"

namespace {
void command() {
    acutPrintf(L"testmodule: command\n");
}

[[maybe_unused]] void registerCommands() {
    AcEdCommandStack* stack = AcEdCommandStack::cast(acrxSysRegistry()->at(ACRX_COMMAND_DOCK));
    if (stack == nullptr) return;
    stack->addCommand(L"TM_GROUP", L"TM_COMMAND", L"TMCOMMAND", ACRX_CMD_TRANSPARENT, command);
}
}  // namespace

extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, [[maybe_unused]] void* appId) {
    acutPrintf(L"testmodule: message %d\n", static_cast<int>(msg));
    switch (msg) {
        case AcRx::kInitAppMsg: {
#ifdef TESTMODULE_FAIL_INIT
            return AcRx::kRetError;
#else
            AcRxDynamicLinker* linker =
                AcRxDynamicLinker::cast(acrxSysRegistry()->at(ACRX_DYNAMIC_LINKER));
            if (linker != nullptr) {
                linker->unlockApplication(appId);
                linker->registerAppMDIAware(appId);
            }
            registerCommands();
            break;
#endif
        }
        case AcRx::kLoadDwgMsg:
            acedDefun(L"C:TMLISP", 7);
            acedDefun(L"TMFUNC", 8);
            break;
        case AcRx::kInvkSubrMsg:
            acutPrintf(L"testmodule: invoked %d\n", acedGetFunCode());
            acedRetInt(acedGetFunCode() * 6);
            break;
        case AcRx::kUnloadAppMsg: {
            AcEdCommandStack* stack =
                AcEdCommandStack::cast(acrxSysRegistry()->at(ACRX_COMMAND_DOCK));
            if (stack != nullptr) stack->removeGroup(L"TM_GROUP");
            break;
        }
        default:
            break;
    }
    return AcRx::kRetOK;
}

extern "C" int acrxGetApiVersion() {
    return ACRX_API_VERSION;
}
