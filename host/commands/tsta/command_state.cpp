#include "host/commands/tsta/command_state.h"

#include <system_error>

#include "host/layer/entity_host.h"
#include "host/layer/system_variables.h"

namespace tarsil {

namespace {

resbuf ZeroOfType(const resbuf& read) {
    resbuf zero = read;
    zero.rbnext = nullptr;
    switch (read.restype) {
        case RTLONG:
            zero.resval.rlong = 0;
            break;
        case RTREAL:
            zero.resval.rreal = 0.0;
            break;
        default:
            zero.resval.rint = 0;
            break;
    }
    return zero;
}

}  // namespace

CommandState::CommandState() {
    if (host::GetSystemVariable(L"CMDECHO", &cmdecho_) != RTNORM) {
        layer::Alert(L"\"CMDECHO\" failed");
        return;
    }
    if (host::GetSystemVariable(L"OSMODE", &osmode_) != RTNORM) {
        layer::Alert(L"\"OSMODE\" failed");
        return;
    }
    ok_ = true;
}

CommandState::~CommandState() {
    if (directory_) {
        std::error_code ignored;
        std::filesystem::current_path(*directory_, ignored);
    }
    if (quiet_) {
        host::SetSystemVariable(L"CMDECHO", &cmdecho_);
        host::SetSystemVariable(L"OSMODE", &osmode_);
    }
}

void CommandState::EnterDirectory(const std::filesystem::path& directory) {
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    if (error) return;
    directory_ = current;
    if (!directory.empty()) std::filesystem::current_path(directory, error);
}

void CommandState::Quieten() {
    if (!ok_) return;
    quiet_ = true;
    const resbuf echoOff = ZeroOfType(cmdecho_);
    const resbuf snapsOff = ZeroOfType(osmode_);
    host::SetSystemVariable(L"CMDECHO", &echoOff);
    host::SetSystemVariable(L"OSMODE", &snapsOff);
}

}  // namespace tarsil
