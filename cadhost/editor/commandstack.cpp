#include "cadhost/editor/commandstack.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "cadhost/editor/cmdline.h"
#include "cadhost/editor/input.h"
#include "cadhost/editor/sysvars.h"
#include "cadhost/rx/wide.h"

namespace {
std::wstring upper(const ACHAR* s) {
    return cadhost::asciiUpper(s != nullptr ? s : L"");
}
}  // namespace

AcRxClass* AcEdCommandStack::desc() {
    return cadhost::lookupClass(L"AcEdCommandStack");
}
AcRxClass* AcEdCommandStack::isA() const {
    return desc();
}
AcEdCommandStack* AcEdCommandStack::cast(const AcRxObject* p) {
    return (p != nullptr && p->isKindOf(desc()))
               ? static_cast<AcEdCommandStack*>(const_cast<AcRxObject*>(p))
               : nullptr;
}

AcEdCommandStack::~AcEdCommandStack() {
    for (AcEdCommand* c : commands_) delete c;
}

Acad::ErrorStatus AcEdCommandStack::addCommand(const ACHAR* cmdGroupName,
                                               const ACHAR* cmdGlobalName,
                                               const ACHAR* cmdLocalName, int commandFlags,
                                               AcRxFunctionPtr functionAddr, AcEdUIContext*,
                                               int fcode, HINSTANCE hResourceHandle,
                                               AcEdCommand** cmdPtrRet) {
    const std::wstring group = upper(cmdGroupName);
    const std::wstring global = upper(cmdGlobalName);
    const std::wstring local = cmdLocalName != nullptr ? upper(cmdLocalName) : global;
    if (group.empty() || global.empty() || local.empty() || functionAddr == nullptr)
        return Acad::eInvalidInput;
    if (lookupGlobalCmd(global.c_str()) != nullptr || lookupLocalCmd(local.c_str()) != nullptr)
        return Acad::eDuplicateKey;
    auto* cmd =
        new AcEdCommand(group, global, local, commandFlags, functionAddr, fcode, hResourceHandle);
    commands_.push_back(cmd);
    if (cmdPtrRet != nullptr) *cmdPtrRet = cmd;
    return Acad::eOk;
}

AcEdCommand* AcEdCommandStack::lookupGlobalCmd(const ACHAR* cmdName) const {
    return lookupCmd(cmdName, true);
}
AcEdCommand* AcEdCommandStack::lookupLocalCmd(const ACHAR* cmdName) const {
    return lookupCmd(cmdName, false);
}

AcEdCommand* AcEdCommandStack::lookupCmd(const ACHAR* cmdName, bool globalFlag) const {
    const std::wstring name = upper(cmdName);
    for (AcEdCommand* c : commands_)
        if ((globalFlag ? c->globalName() : c->localName()) == name) return c;
    return nullptr;
}

Acad::ErrorStatus AcEdCommandStack::removeCmd(const ACHAR* cmdGroupName,
                                              const ACHAR* cmdGlobalName) {
    const std::wstring group = upper(cmdGroupName);
    const std::wstring global = upper(cmdGlobalName);
    auto it = std::find_if(commands_.begin(), commands_.end(), [&](const AcEdCommand* c) {
        return c->groupName() == group && c->globalName() == global;
    });
    if (it == commands_.end()) return Acad::eKeyNotFound;
    delete *it;
    commands_.erase(it);
    return Acad::eOk;
}

Acad::ErrorStatus AcEdCommandStack::removeGroup(const ACHAR* groupName) {
    const std::wstring group = upper(groupName);
    const auto before = commands_.size();
    std::erase_if(commands_, [&](AcEdCommand* c) {
        if (c->groupName() != group) return false;
        delete c;
        return true;
    });
    return commands_.size() != before ? Acad::eOk : Acad::eKeyNotFound;
}

std::vector<const AcEdCommand*> AcEdCommandStack::commands() const {
    return {commands_.begin(), commands_.end()};
}

AcEdCommandStack* acedRegCmdsPtr() {
    static auto* stack = new AcEdCommandStack();
    return stack;
}

namespace cadhost {
namespace {
struct Dispatch {
    std::vector<HostCommand> host;
    std::vector<int> flagStack;
    LispCommandRunner lisp;
    CommandEndHook onEnd;
};
Dispatch& dispatch() {
    static Dispatch d;
    return d;
}

struct ActiveCommand {
    explicit ActiveCommand(int flags) { dispatch().flagStack.push_back(flags); }
    ~ActiveCommand() {
        dispatch().flagStack.pop_back();
        if (dispatch().flagStack.empty() && dispatch().onEnd) dispatch().onEnd();
    }
};
}  // namespace

void addHostCommand(const std::wstring& name, std::function<void()> run, int flags) {
    const std::wstring key = asciiUpper(name);
    if (HostCommand* existing = findHostCommand(key)) {
        existing->run = std::move(run);
        existing->flags = flags;
        return;
    }
    dispatch().host.push_back(HostCommand{key, std::move(run), flags, false});
}

HostCommand* findHostCommand(const std::wstring& name) {
    const std::wstring key = asciiUpper(name);
    for (auto& c : dispatch().host)
        if (c.name == key) return &c;
    return nullptr;
}

void redefineAllHostCommands() {
    for (auto& c : dispatch().host) c.undefined = false;
}

int activeCommandFlags() {
    return dispatch().flagStack.empty() ? 0 : dispatch().flagStack.back();
}
int commandDepth() {
    return static_cast<int>(dispatch().flagStack.size());
}
void setLispCommandRunner(LispCommandRunner runner) {
    dispatch().lisp = std::move(runner);
}
void setCommandEndHook(CommandEndHook hook) {
    dispatch().onEnd = std::move(hook);
}

bool runCommand(const std::wstring& typed) {
    std::wstring name = asciiUpper(trim(typed));
    bool transparent = false, global = false, hostOnly = false;
    for (; !name.empty(); name.erase(0, 1)) {
        if (name[0] == L'\'')
            transparent = true;
        else if (name[0] == L'_')
            global = true;
        else if (name[0] == L'.')
            hostOnly = true;
        else
            break;
    }
    if (name.empty()) return false;

    // A transparent request inside a command needs a command made for it.
    auto allowed = [&](int flags) {
        if (transparent && commandDepth() > 0 && (flags & ACRX_CMD_TRANSPARENT) == 0) {
            writeCommandLine(L"** That command may not be invoked transparently **\n");
            return false;
        }
        return true;
    };

    if (!hostOnly) {
        if (AcEdCommand* cmd = acedRegCmdsPtr()->lookupCmd(name.c_str(), global)) {
            if (!allowed(cmd->commandFlags())) return true;
            ActiveCommand active(cmd->commandFlags());
            cmd->functionAddr()();
            return true;
        }
    }
    if (HostCommand* cmd = findHostCommand(name); cmd != nullptr && (hostOnly || !cmd->undefined)) {
        if (!allowed(cmd->flags)) return true;
        // Copy: a command may redefine the table it lives in.
        const std::function<void()> run = cmd->run;
        ActiveCommand active(cmd->flags);
        run();
        return true;
    }
    if (!hostOnly && dispatch().lisp) {
        ActiveCommand active(ACRX_CMD_MODAL);
        if (dispatch().lisp(name)) return true;
    }
    if (transparent && commandDepth() > 0) return false;
    writeCommandLine(L"Unknown command \"" + name + L"\".  Press F1 for help.\n");
    return false;
}

}  // namespace cadhost

namespace {
std::wstring numberText(double v) {
    wchar_t buf[64];
    std::swprintf(buf, 64, L"%.15g", v);
    return buf;
}

// Turns one argument of a command list into the line a user would type.
bool argumentText(int type, va_list& args, std::wstring& out) {
    switch (type) {
        case RTSTR: {
            const ACHAR* s = va_arg(args, const ACHAR*);
            out = s != nullptr ? s : L"";
            return true;
        }
        case RTREAL:
        case RTANG:
            out = numberText(va_arg(args, double));
            return true;
        case RTSHORT:
        case RTLONG:
            out = std::to_wstring(va_arg(args, int));
            return true;
        case RTPOINT:
        case RT3DPOINT: {
            const double* p = va_arg(args, const double*);
            out = numberText(p[0]) + L"," + numberText(p[1]);
            if (type == RT3DPOINT) out += L"," + numberText(p[2]);
            return true;
        }
        default:
            return false;
    }
}

int runCommandList(std::vector<std::wstring> words) {
    if (words.empty()) return RTNORM;  // an empty list cancels nothing here
    const std::wstring name = words.front();
    words.erase(words.begin());
    const auto echo = cadhost::getVar(L"CMDECHO");
    const bool quiet = echo && echo->integer == 0;
    cadhost::InjectedInput input(std::move(words), quiet);
    return cadhost::runCommand(name) ? RTNORM : RTERROR;
}
}  // namespace

int acedCommandS(int rtype, ...) {
    std::vector<std::wstring> words;
    va_list args;
    va_start(args, rtype);
    for (int type = rtype; type != 0 && type != RTNONE; type = va_arg(args, int)) {
        std::wstring word;
        if (!argumentText(type, args, word)) {
            va_end(args);
            return RTERROR;
        }
        words.push_back(std::move(word));
    }
    va_end(args);
    return runCommandList(std::move(words));
}

int acedCmdS(const resbuf* rb) {
    std::vector<std::wstring> words;
    for (; rb != nullptr; rb = rb->rbnext) {
        switch (rb->restype) {
            case RTSTR:
                words.emplace_back(rb->resval.rstring != nullptr ? rb->resval.rstring : L"");
                break;
            case RTREAL:
            case RTANG:
                words.push_back(numberText(rb->resval.rreal));
                break;
            case RTSHORT:
                words.push_back(std::to_wstring(rb->resval.rint));
                break;
            case RTLONG:
                words.push_back(std::to_wstring(rb->resval.rlong));
                break;
            case RTPOINT:
            case RT3DPOINT:
                words.push_back(numberText(rb->resval.rpoint[0]) + L"," +
                                numberText(rb->resval.rpoint[1]) + L"," +
                                numberText(rb->resval.rpoint[2]));
                break;
            default:
                return RTERROR;
        }
    }
    return runCommandList(std::move(words));
}
