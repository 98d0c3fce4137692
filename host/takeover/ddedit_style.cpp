#include "host/takeover/ddedit_style.h"

#include <optional>

#include "cadhost/rx/adsdefs.h"
#include "fonts/wh_config.h"
#include "host/layer/system_variables.h"
#include "host/takeover/edit_replacement.h"

namespace tarsil {

namespace {

std::optional<int> g_dtexted_before;

int DtextEd() {
    resbuf variable{};
    if (host::GetSystemVariable(L"DTEXTED", &variable) != RTNORM) return 0;
    return variable.restype == RTLONG ? static_cast<int>(variable.resval.rlong)
                                      : variable.resval.rint;
}

void TurnDtextEdOn() {
    if (!g_dtexted_before) g_dtexted_before = DtextEd();
    SetDtextEd(1);
}

void TurnDtextEdOff() {
    SetDtextEd(g_dtexted_before.value_or(0));
    g_dtexted_before.reset();
}

}  // namespace

void ForgetDtextEdBeforeTakeover() {
    g_dtexted_before.reset();
}

void SetDtextEd(int value) {
    resbuf variable{};
    host::GetSystemVariable(L"DTEXTED", &variable);
    variable.resval.rint = static_cast<short>(value);
    host::SetSystemVariable(L"DTEXTED", &variable);
}

void ApplyDdeditStyle(int new_style, bool force) {
    const int current = CWhConfig::Instance().GetDdeditStyle();
    if (current == new_style && !force) return;

    if (new_style == kDdeditStyleDtextEd) {
        if (current == kDdeditStyleReplaceHost) SetHostEditReplacement(false, true);
        TurnDtextEdOn();
    } else if (new_style == kDdeditStyleReplaceHost) {
        if (current == kDdeditStyleDtextEd) TurnDtextEdOff();
        SetHostEditReplacement(true, false);
    } else if (current == kDdeditStyleDtextEd) {
        TurnDtextEdOff();
    } else if (current == kDdeditStyleReplaceHost) {
        SetHostEditReplacement(false, true);
    }
}

}  // namespace tarsil
