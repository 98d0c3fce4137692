#pragma once

// The command stack: commands that modules register, by group, global and
// local name, and the host's own commands, which .undefine can hide.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "cadhost/db/acdb.h"
#include "cadhost/rx/rxobject.h"

typedef void (*AcRxFunctionPtr)();
typedef struct HINSTANCE__* HINSTANCE;
class AcEdUIContext;

#define ACRX_CMD_MODAL 0x00000000
#define ACRX_CMD_TRANSPARENT 0x00000001
#define ACRX_CMD_USEPICKSET 0x00000002
#define ACRX_CMD_REDRAW 0x00000004
#define ACRX_CMD_NOPERSPECTIVE 0x00000008
#define ACRX_CMD_NOMULTIPLE 0x00000010
#define ACRX_CMD_NOTILEMODE 0x00000020
#define ACRX_CMD_NOPAPERSPACE 0x00000040
#define ACRX_CMD_SESSION 0x00200000

class AcEdCommand : public AcRxObject {
  public:
    AcEdCommand(std::wstring group, std::wstring global, std::wstring local, int flags,
                AcRxFunctionPtr function, int functionCode, HINSTANCE resource)
        : group_(std::move(group)),
          global_(std::move(global)),
          local_(std::move(local)),
          flags_(flags),
          function_(function),
          functionCode_(functionCode),
          resource_(resource) {}
    AcRxFunctionPtr functionAddr() const { return function_; }
    int commandFlags() const { return flags_; }
    int functionCode() const { return functionCode_; }
    const ACHAR* globalName() const { return global_.c_str(); }
    const ACHAR* localName() const { return local_.c_str(); }
    const ACHAR* groupName() const { return group_.c_str(); }
    HINSTANCE resourceHandle() const { return resource_; }

  private:
    std::wstring group_, global_, local_;
    int flags_;
    AcRxFunctionPtr function_;
    int functionCode_;
    HINSTANCE resource_;
};

class AcEdCommandStack : public AcRxObject {
  public:
    static AcRxClass* desc();
    static AcEdCommandStack* cast(const AcRxObject* p);
    AcRxClass* isA() const override;
    ~AcEdCommandStack() override;

    // Names are kept in upper case; a global or local name already taken
    // (in any group) gives eDuplicateKey.
    Acad::ErrorStatus addCommand(const ACHAR* cmdGroupName, const ACHAR* cmdGlobalName,
                                 const ACHAR* cmdLocalName, int commandFlags,
                                 AcRxFunctionPtr functionAddr, AcEdUIContext* UIContext = nullptr,
                                 int fcode = -1, HINSTANCE hResourceHandle = nullptr,
                                 AcEdCommand** cmdPtrRet = nullptr);
    AcEdCommand* lookupGlobalCmd(const ACHAR* cmdName) const;
    AcEdCommand* lookupLocalCmd(const ACHAR* cmdName) const;
    AcEdCommand* lookupCmd(const ACHAR* cmdName, bool globalFlag) const;
    Acad::ErrorStatus removeCmd(const ACHAR* cmdGroupName, const ACHAR* cmdGlobalName);
    Acad::ErrorStatus removeGroup(const ACHAR* groupName);
    std::vector<const AcEdCommand*> commands() const;

  private:
    std::vector<AcEdCommand*> commands_;
};

AcEdCommandStack* acedRegCmdsPtr();
#define acedRegCmds acedRegCmdsPtr()

// Runs a command with its answers, as if typed: (RTSTR, L"UNDO", RTSTR, L"G",
// RTNONE); real numbers, shorts and points are accepted too, 0 or RTNONE
// ends the list.  With "CMDECHO" 0 the prompts are not shown.
int acedCommandS(int rtype, ...);
int acedCmdS(const resbuf* rb);

namespace cadhost {

// A command of the host itself.
struct HostCommand {
    std::wstring name;  // global and local name
    std::function<void()> run;
    int flags = ACRX_CMD_MODAL;
    bool undefined = false;
};
void addHostCommand(const std::wstring& name, std::function<void()> run,
                    int flags = ACRX_CMD_MODAL);
HostCommand* findHostCommand(const std::wstring& name);
void redefineAllHostCommands();

// Runs what the user typed at the "Command: " prompt: "_" asks for a global
// name, "." for the host's own command even when undefined, "'" runs it
// transparently.  Returns false for an unknown command (reported).
bool runCommand(const std::wstring& typed);
// The command running now, its flags, and how deep commands are nested.
int activeCommandFlags();
int commandDepth();
// Runs a module function defined as a LISP command "C:NAME" (set by the LISP part).
using LispCommandRunner = std::function<bool(const std::wstring& name)>;
void setLispCommandRunner(LispCommandRunner runner);
// Called after a command ends (the LISP queue drains here).
using CommandEndHook = std::function<void()>;
void setCommandEndHook(CommandEndHook hook);

}  // namespace cadhost
