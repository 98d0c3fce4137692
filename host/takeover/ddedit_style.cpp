#include "host/takeover/ddedit_style.h"

#include "cadhost/rx/adsdefs.h"
#include "fonts/wh_config.h"
#include "host/layer/system_variables.h"
#include "host/takeover/edit_replacement.h"

namespace tarsil {

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
        SetDtextEd(1);
    } else if (new_style == kDdeditStyleReplaceHost) {
        if (current == kDdeditStyleDtextEd) SetDtextEd(0);
        SetHostEditReplacement(true, false);
    } else if (current == kDdeditStyleDtextEd) {
        SetDtextEd(0);
    } else if (current == kDdeditStyleReplaceHost) {
        SetHostEditReplacement(false, true);
    }
}

}  // namespace tarsil
