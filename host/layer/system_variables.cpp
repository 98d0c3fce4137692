#include "host/layer/system_variables.h"

#include "cadhost/editor/sysvars.h"

namespace tarsil::host {

namespace {

int ReadFromHost(const wchar_t* name, resbuf* value) {
    return acedGetVar(name, value);
}

SystemVariableReader reader = ReadFromHost;

}  // namespace

int GetSystemVariable(const wchar_t* name, resbuf* value) {
    return reader(name, value);
}

int SetSystemVariable(const wchar_t* name, const resbuf* value) {
    return acedSetVar(name, value);
}

SystemVariableReader SetSystemVariableReader(SystemVariableReader next) {
    const SystemVariableReader previous = reader;
    reader = next != nullptr ? next : ReadFromHost;
    return previous;
}

}  // namespace tarsil::host
