#include "host/module/lifecycle.h"

#include <memory>

#include "fonts/settings/settings.h"
#include "fonts/wh_config.h"
#include "host/commands/replaced/replaced_commands.h"
#include "host/layer/host_windows.h"
#include "host/layer/lisp_queue.h"
#include "host/layer/registry_services.h"
#include "host/layer/user_messages.h"
#include "host/module/command_table.h"
#include "host/module/splash.h"
#include "host/takeover/ddedit_style.h"
#include "host/takeover/double_click_text.h"
#include "host/takeover/edit_replacement.h"

namespace tarsil {

namespace {

struct ModuleState {
    // Initialisation has read the settings for the drawing that is current;
    // the drawing-loaded message that follows only clears this.
    bool first_drawing = false;
    // The host is quitting: unload neither restores nor saves again.
    bool pre_quit = false;
    std::unique_ptr<host::HostAlertRouting> alerts;
};

ModuleState& State() {
    static ModuleState state;
    return state;
}

void LoadSettingsAndApplyStyle() {
    LoadSettings([](int style, bool force) { ApplyDdeditStyle(style, force); });
}

void SaveAndForgetConfiguration() {
    SaveSettings();
    CWhConfig::DestroyInstance();
}

// Nothing of the module's code may stay reachable from the host once the
// library is gone.
void LeaveNothingBehind() {
    CloseSplash();
    if (HostEditReplacementInstalled()) SetHostEditReplacement(false, false);
    AcDbDoubleClickText::rxUninit();
    State().alerts.reset();
}

}  // namespace

void InitializeModule(void* app_id) {
    ModuleState& state = State();
    state.alerts = std::make_unique<host::HostAlertRouting>();
    host::UnlockApplication(app_id);
    host::RegisterMdiAware(app_id);
    state.first_drawing = true;
    state.pre_quit = false;
    ForgetDtextEdBeforeTakeover();
    RegisterCommandTable(CommandTable());
    LoadSettingsAndApplyStyle();
    if (const void* module = CWhConfig::Instance().GetModuleHandle()) ShowSplashOnce(module);
    host::RepaintHostWindows();
}

void UnloadModule() {
    RemoveCommandTable();
    if (!State().pre_quit) {
        ApplyDdeditStyle(kDdeditStyleUnchanged, false);
        // The style was changed away from 2 while loaded without being
        // applied: the host's commands are still replaced.
        if (HostEditReplacementInstalled()) SetHostEditReplacement(false, true);
        SaveAndForgetConfiguration();
    }
    LeaveNothingBehind();
}

void DrawingLoaded() {
    ModuleState& state = State();
    if (state.first_drawing) {
        state.first_drawing = false;
        return;
    }
    LoadSettingsAndApplyStyle();
}

void InvokeModuleFunction() {
    RunReplacementCommand(host::InvokedFunctionCode());
}

void PrepareForQuit() {
    State().pre_quit = true;
    if (CWhConfig::Instance().GetDdeditStyle() != kDdeditStyleReplaceHost) {
        ApplyDdeditStyle(kDdeditStyleUnchanged, false);
    } else {
        SetHostEditReplacement(false, false);
    }
    SaveAndForgetConfiguration();
}

}  // namespace tarsil
