// The two functions the host looks up in the module file.
#include "cadhost/rx/dynlinker.h"
#include "host/module/lifecycle.h"

extern "C" __attribute__((visibility("default"))) AcRx::AppRetCode acrxEntryPoint(
    AcRx::AppMsgCode message, void* app_id) {
    switch (message) {
        case AcRx::kInitAppMsg:
            tarsil::InitializeModule(app_id);
            break;
        case AcRx::kUnloadAppMsg:
            tarsil::UnloadModule();
            break;
        case AcRx::kLoadDwgMsg:
            tarsil::DrawingLoaded();
            break;
        case AcRx::kPreQuitMsg:
            tarsil::PrepareForQuit();
            break;
        case AcRx::kInvkSubrMsg:
            tarsil::InvokeModuleFunction();
            break;
        default:
            break;
    }
    return AcRx::kRetOK;
}

extern "C" __attribute__((visibility("default"))) int acrxGetApiVersion() {
    return ACRX_API_VERSION;
}
