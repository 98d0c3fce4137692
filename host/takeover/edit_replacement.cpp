#include "host/takeover/edit_replacement.h"

#include "cadhost/editor/dblclick.h"
#include "cadhost/rx/adsdefs.h"
#include "cadhost/rx/rxobject.h"
#include "host/layer/lisp_queue.h"
#include "host/layer/registry_services.h"
#include "host/layer/user_messages.h"
#include "host/takeover/double_click_text.h"

namespace tarsil {

namespace {

// CMDECHO is switched off around the queued commands and put back after.
constexpr wchar_t kEchoOff[] = L"(setq __cmdecho (getvar \"CMDECHO\")) (setvar \"CMDECHO\" 0)";
constexpr wchar_t kEchoBack[] = L"(setvar \"CMDECHO\" __cmdecho)";

struct ReplacedCommand {
    const wchar_t* undefine;
    const wchar_t* not_replaced_warning;
    const wchar_t* lisp_command;
    short function_code;
    const wchar_t* redefine;
};

constexpr ReplacedCommand kReplacedCommands[] = {
    {L"(command \".undefine\" \"DDEDIT\")", L"Warning: 'ddedit' command not replaced!\n",
     L"C:DDEDIT", kDdeditFunctionCode, L"(command \".redefine\" \"DDEDIT\")"},
    {L"(command \".undefine\" \"DTEXT\")", L"Warning: 'dtext' command not replaced!\n", L"C:DTEXT",
     kDtextFunctionCode, L"(command \".redefine\" \"DTEXT\")"},
    {L"(command \".undefine\" \"TEXT\")", L"Warning: 'text' command not replaced!\n", L"C:TEXT",
     kTextFunctionCode, L"(command \".redefine\" \"TEXT\")"},
};

// The handler the module registered on AcDbText, and the one that
// registration replaced; both live as long as the module.
AcDbDoubleClickText* g_registered_handler = nullptr;
AcRxObject* g_replaced_handler = nullptr;

// The host asks AcDbText for its double-click protocol under the host's
// protocol class, so the module's handler is registered under that key.
AcRxClass* HandlerKey() {
    return AcDbDoubleClickEdit::desc();
}

void QueueOrWarn(const wchar_t* expression, const wchar_t* warning) {
    if (host::QueueLispExpression(expression) != RTNORM) host::Print(warning);
}

void ReplaceHostCommands() {
    QueueOrWarn(kEchoOff, L"Warning(redefineDDedit-enter): SetVar/GetVar error occured!!!\n");
    for (const ReplacedCommand& command : kReplacedCommands) {
        if (host::QueueLispExpression(command.undefine) == RTNORM) {
            host::DefineLispFunction(command.lisp_command, command.function_code);
        } else {
            host::Print(command.not_replaced_warning);
        }
    }
    QueueOrWarn(kEchoBack, L"Warning(redefineDDedit-exit): Setvar/GetVar error occured!!!\n");
}

void RestoreHostCommands() {
    QueueOrWarn(kEchoOff, L"Warning(restoreDDedit-enter): Setvar/GetVar error occuried!!!\n");
    for (const ReplacedCommand& command : kReplacedCommands) {
        host::UndefineLispFunction(command.lisp_command, command.function_code);
        host::QueueLispExpression(command.redefine);
    }
    QueueOrWarn(kEchoBack, L"Warning(restoreDDedit-exit): Setvar/GetVar error occuried!!!\n");
}

void InstallHandler() {
    AcDbDoubleClickText::rxInit();
    acrxBuildClassHierarchy();
    AcRxClass* text_class = host::LookUpClass(L"AcDbText");
    if (text_class == nullptr || g_replaced_handler != nullptr || g_registered_handler != nullptr) {
        return;
    }
    g_registered_handler = new AcDbDoubleClickText();
    g_replaced_handler = text_class->addX(HandlerKey(), g_registered_handler);
}

void RemoveHandler() {
    AcRxClass* handler_class = host::LookUpClass(L"AcDbDoubleClickText");
    AcRxClass* text_class = host::LookUpClass(L"AcDbText");
    const bool both = handler_class != nullptr && text_class != nullptr;

    AcRxObject* removed = both ? text_class->delX(HandlerKey()) : nullptr;
    host::LoadHostModule(kHostDoubleClickModule);
    acrxBuildClassHierarchy();

    if (removed != nullptr && removed == g_registered_handler) {
        delete g_registered_handler;
        g_registered_handler = nullptr;
    } else if (removed != nullptr && text_class->getX(HandlerKey()) == nullptr) {
        // Someone else's handler: it is not ours to delete.
        text_class->addX(HandlerKey(), removed);
    }
    if (both && g_replaced_handler != nullptr) {
        text_class->addX(HandlerKey(), g_replaced_handler);
        g_replaced_handler = nullptr;
    }
}

}  // namespace

void SetHostEditReplacement(bool install, bool restore_host_commands) {
    if (install) {
        ReplaceHostCommands();
        InstallHandler();
        return;
    }
    if (restore_host_commands) RestoreHostCommands();
    RemoveHandler();
}

bool HostEditReplacementInstalled() {
    AcRxClass* text_class = host::LookUpClass(L"AcDbText");
    return g_registered_handler != nullptr && text_class != nullptr &&
           text_class->getX(HandlerKey()) == g_registered_handler;
}

}  // namespace tarsil
