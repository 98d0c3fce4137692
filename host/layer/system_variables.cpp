#include "host/layer/system_variables.h"

#include "cadhost/editor/sysvars.h"

namespace tarsil::host {

int GetSystemVariable(const wchar_t* name, resbuf* value) {
    return acedGetVar(name, value);
}

int SetSystemVariable(const wchar_t* name, const resbuf* value) {
    return acedSetVar(name, value);
}

}  // namespace tarsil::host
