#include "cadhost/editor/host.h"

#include "cadhost/apdoc/docmanager.h"
#include "cadhost/db/acdb_all.h"
#include "cadhost/editor/cmdline.h"
#include "cadhost/editor/commandstack.h"
#include "cadhost/editor/dblclick.h"
#include "cadhost/editor/input.h"
#include "cadhost/editor/selection.h"
#include "cadhost/editor/sysvars.h"
#include "cadhost/lisp/lisp.h"
#include "cadhost/rx/dynlinker.h"
#include "cadhost/rx/wide.h"

namespace cadhost {
namespace {
bool quitting = false;
bool initialised = false;

// Undo groups that a command made carry its name, for UNDO and U to report.
std::size_t groupsBefore = 0;
std::wstring runningName;
// The last command run from the command line, repeated by Enter there.
std::wstring lastCommand;

std::size_t undoGroups() {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    return db != nullptr ? db->undoGroupCount() : 0;
}

void afterCommand() {
    if (AcApDocument* doc = curDoc()) {
        auto& names = doc->undoNames();
        const std::size_t now = undoGroups();
        while (names.size() < now) names.push_back(runningName);
        if (names.size() > now) names.resize(now);
    }
    runLispQueue();
}

void runTopLevel(const std::wstring& name) {
    groupsBefore = undoGroups();
    runningName = asciiUpper(name);
    while (!runningName.empty() && std::wstring(L"._'").find(runningName[0]) != std::wstring::npos)
        runningName.erase(0, 1);
    if (runCommand(name)) lastCommand = name;
}
}  // namespace

void initHost() {
    if (initialised) return;
    initialised = true;
    acrxSysRegistry();
    acDocManagerPtr();
    installLisp();
    setCommandEndHook(afterCommand);
    setTransparentRunner([](const std::wstring& typed) {
        std::wstring name = typed.substr(1);
        const bool known = acedRegCmdsPtr()->lookupLocalCmd(name.c_str()) != nullptr ||
                           findHostCommand(name) != nullptr;
        if (!known) return false;
        runCommand(typed);
        return true;
    });
    addBuiltinModule(L"ACDBLCLKEDITPE.ARX", installHostTextDoubleClick, removeHostTextDoubleClick);
    installHostTextDoubleClick();
    registerFileCommands();
    registerEditCommands();
    registerListCommand();
    registerUcsCommand();
    registerSetvarCommand();
}

bool quitRequested() {
    return quitting;
}
void requestQuit() {
    quitting = true;
}

void runCommandLine(const std::wstring& line) {
    const std::wstring text = trim(line);
    if (text.empty()) {
        // Enter repeats the last command, without the answers typed with it.
        if (!lastCommand.empty()) runTopLevel(lastCommand);
        return;
    }
    if (text[0] == L'(') {
        evaluateAndPrint(text);
        runLispQueue();
        return;
    }
    // Words after the command name are its first answers.
    std::vector<std::wstring> words;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto start = text.find_first_not_of(L" \t", pos);
        if (start == std::wstring::npos) break;
        const auto end = text.find_first_of(L" \t", start);
        words.push_back(text.substr(start, end - start));
        pos = end == std::wstring::npos ? text.size() : end;
    }
    const std::wstring name = words.front();
    words.erase(words.begin());
    InjectedInput answers(std::move(words), false);
    runTopLevel(name);
}

void runCommandLoop() {
    initHost();
    while (!quitting) {
        runLispQueue();
        const InputLine in = promptInput(L"Command: ");
        if (in.kind == InputLine::End) break;
        if (in.kind == InputLine::Escape) continue;
        runCommandLine(in.text);
    }
    flushCommandLine();
}

void shutdownHost() {
    unloadAllModules();
    acDocManagerPtr()->closeAll();
    flushCommandLine();
}

void resetHost() {
    initHost();
    shutdownHost();
    clearInput();
    resetLisp();
    resetSessionVars();
    setPickfirst({});
    quitting = false;
    lastCommand.clear();
    while (!acedRegCmdsPtr()->commands().empty()) {
        const std::wstring group = acedRegCmdsPtr()->commands().front()->groupName();
        acedRegCmdsPtr()->removeGroup(group.c_str());
    }
    redefineAllHostCommands();
    installHostTextDoubleClick();
}

}  // namespace cadhost
