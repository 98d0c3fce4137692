// The host's file and module commands: NEW, OPEN, SAVE, SAVEAS, CLOSE,
// QUIT and APPLOAD.
#include "cadhost/apdoc/docmanager.h"
#include "cadhost/editor/cmdline.h"
#include "cadhost/editor/commandstack.h"
#include "cadhost/editor/host.h"
#include "cadhost/editor/input.h"
#include "cadhost/rx/dynlinker.h"
#include "cadhost/rx/wide.h"

namespace cadhost {
namespace {
// The one answer of a file prompt; empty when cancelled or blank.
std::wstring askFileName(const std::wstring& prompt) {
    const InputLine in = promptInput(prompt);
    if (in.kind != InputLine::Text) return {};
    std::wstring name = trim(in.text);
    if (name.size() >= 2 && name.front() == L'"' && name.back() == L'"')
        name = name.substr(1, name.size() - 2);
    return name;
}

// Asks before changes that were never saved are thrown away: only "Y" or
// "Yes" lets them go; Enter, any other answer and Escape keep them.
bool mayDiscard(bool modified) {
    if (!modified) return true;
    const InputLine in = promptInput(L"Really want to discard all changes to drawing? <N>: ");
    if (in.kind != InputLine::Text) {
        writeCommandLine(L"*Cancel*\n");
        return false;
    }
    const std::wstring answer = asciiUpper(trim(in.text));
    return answer == L"Y" || answer == L"YES";
}

bool anyModified() {
    for (int i = 0; i < acDocManagerPtr()->documentCount(); ++i)
        if (acDocManagerPtr()->document(i)->isModified()) return true;
    return false;
}

void saveAs(AcApDocument* doc) {
    const std::wstring name =
        askFileName(L"Save drawing as <" + std::wstring(doc->fileName()) + L">: ");
    const std::filesystem::path file = name.empty() ? doc->file() : std::filesystem::path(name);
    if (saveDocument(doc, file) == Acad::eOk)
        writeCommandLine(L"Drawing saved as \"" + file.wstring() + L"\".\n");
}

bool needDocument(AcApDocument* doc) {
    if (doc != nullptr) return true;
    writeCommandLine(L"No drawing is open.\n");
    return false;
}
}  // namespace

void registerFileCommands() {
    addHostCommand(L"NEW", [] {
        AcApDocument* doc = acDocManagerPtr()->newDocument();
        writeCommandLine(L"New drawing \"" + std::wstring(doc->docTitle()) + L"\".\n");
    });
    addHostCommand(L"OPEN", [] {
        const std::wstring name = askFileName(L"Enter name of drawing to open: ");
        if (name.empty()) return;
        if (AcApDocument* doc = acDocManagerPtr()->openDocument(name))
            writeCommandLine(L"Opened \"" + std::wstring(doc->fileName()) + L"\".\n");
    });
    addHostCommand(L"SAVE", [] {
        AcApDocument* doc = curDoc();
        if (!needDocument(doc)) return;
        if (!doc->named()) {
            saveAs(doc);
            return;
        }
        if (saveDocument(doc, doc->file()) == Acad::eOk)
            writeCommandLine(L"Drawing saved to \"" + std::wstring(doc->fileName()) + L"\".\n");
    });
    addHostCommand(L"SAVEAS", [] {
        if (AcApDocument* doc = curDoc(); needDocument(doc)) saveAs(doc);
    });
    addHostCommand(L"CLOSE", [] {
        AcApDocument* doc = curDoc();
        if (needDocument(doc) && mayDiscard(doc->isModified()))
            acDocManagerPtr()->closeDocument(doc);
    });
    addHostCommand(L"QUIT", [] {
        if (mayDiscard(anyModified())) requestQuit();
    });
    addHostCommand(L"APPLOAD", [] {
        const InputLine option = promptInput(L"Enter an option [Load/Unload] <Load>: ");
        if (option.kind != InputLine::Text) return;
        const std::wstring word = asciiUpper(trim(option.text));
        const bool unload = word == L"U" || word == L"UNLOAD";
        if (!unload && !word.empty() && word != L"L" && word != L"LOAD") {
            writeCommandLine(L"Invalid option keyword.\n");
            return;
        }
        const std::wstring file = askFileName(L"Module file: ");
        if (file.empty()) return;
        AcRxDynamicLinker* linker = acrxDynamicLinker;
        if (unload)
            linker->unloadModule(file.c_str(), true);
        else
            linker->loadModule(file.c_str(), true);
    });
}

}  // namespace cadhost
