#include "cadhost/rx/dynlinker.h"

#include <dlfcn.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "cadhost/apdoc/docmanager.h"
#include "cadhost/editor/cmdline.h"
#include "cadhost/editor/commandstack.h"
#include "cadhost/editor/sysvars.h"
#include "cadhost/rx/wide.h"

namespace cadhost {
namespace {
struct Module {
    std::wstring path;  // as found
    std::wstring key;   // upper-case file name, how unload finds it
    void* handle = nullptr;
    AcRxEntryPointFn entry = nullptr;
    bool locked = true;
    bool mdiAware = false;
};

struct Builtin {
    std::wstring key;
    void (*load)();
    void (*unload)();
};

struct LinkerState {
    std::vector<std::unique_ptr<Module>> modules;
    std::vector<Builtin> builtins;
    std::vector<Module*> messageStack;
    std::vector<int> functionCodes;
    void (*unloadHook)(void*) = nullptr;
};
LinkerState& linker() {
    static auto* s = new LinkerState();
    return *s;
}

std::wstring keyOf(const std::wstring& path) {
    return asciiUpper(std::filesystem::path(path).filename().wstring());
}

Module* findModule(const std::wstring& name) {
    const std::wstring key = keyOf(name);
    for (auto& m : linker().modules)
        if (m->key == key) return m.get();
    return nullptr;
}

Module* moduleOfId(void* appId) {
    for (auto& m : linker().modules)
        if (m.get() == appId) return m.get();
    return nullptr;
}

AcRx::AppRetCode send(Module& m, AcRx::AppMsgCode msg) {
    linker().messageStack.push_back(&m);
    const AcRx::AppRetCode rc = m.entry(msg, &m);
    linker().messageStack.pop_back();
    return rc;
}

// Where a module file is: as given, else in each folder of "ACADPREFIX".
std::filesystem::path locate(const std::wstring& fileName) {
    namespace fs = std::filesystem;
    std::vector<fs::path> candidates{fs::path(fileName)};
    if (fs::path(fileName).extension().empty()) candidates.emplace_back(fileName + L".arx");
    if (!fs::path(fileName).has_parent_path()) {
        if (auto prefix = getVar(L"ACADPREFIX")) {
            std::wstring rest = prefix->text;
            while (!rest.empty()) {
                const auto semi = rest.find(L';');
                const std::wstring dir = rest.substr(0, semi);
                rest = semi == std::wstring::npos ? L"" : rest.substr(semi + 1);
                if (dir.empty()) continue;
                candidates.push_back(fs::path(dir) / fileName);
                candidates.push_back(fs::path(dir) / (fileName + L".arx"));
            }
        }
    }
    std::error_code ec;
    for (const auto& c : candidates)
        if (fs::is_regular_file(c, ec)) return c;
    return {};
}

// Commands whose handlers live in the module's code would dangle once it
// is gone; they are removed with a warning.
void dropCommandsOf(const Module& m) {
    std::vector<std::pair<std::wstring, std::wstring>> stale;
    for (const AcEdCommand* c : acedRegCmdsPtr()->commands()) {
        Dl_info info{};
        if (dladdr(reinterpret_cast<void*>(c->functionAddr()), &info) != 0 &&
            info.dli_fname != nullptr &&
            std::filesystem::equivalent(std::filesystem::path(info.dli_fname), m.path))
            stale.emplace_back(c->groupName(), c->globalName());
    }
    for (const auto& [group, global] : stale) {
        writeCommandLine(L"Warning: command " + global + L" of an unloaded module removed.\n");
        acedRegCmdsPtr()->removeCmd(group.c_str(), global.c_str());
    }
}

void release(Module* m) {
    if (linker().unloadHook != nullptr) linker().unloadHook(m);
    dropCommandsOf(*m);
    dlclose(m->handle);
    std::erase_if(linker().modules, [m](const auto& p) { return p.get() == m; });
}
}  // namespace

void broadcastAppMessage(AcRx::AppMsgCode msg) {
    std::vector<Module*> targets;
    for (auto& m : linker().modules) targets.push_back(m.get());
    for (Module* m : targets)
        if (moduleOfId(m) != nullptr) send(*m, msg);
}

void unloadAllModules() {
    broadcastAppMessage(AcRx::kPreQuitMsg);
    while (!linker().modules.empty()) {
        Module* m = linker().modules.back().get();
        send(*m, AcRx::kUnloadAppMsg);
        release(m);
    }
}

void* currentAppId() {
    return linker().messageStack.empty() ? nullptr : linker().messageStack.back();
}

bool invokeModuleFunction(void* appId, int functionCode) {
    Module* m = moduleOfId(appId);
    if (m == nullptr) return false;
    linker().functionCodes.push_back(functionCode);
    send(*m, AcRx::kInvkSubrMsg);
    linker().functionCodes.pop_back();
    return true;
}

int currentFunctionCode() {
    return linker().functionCodes.empty() ? -1 : linker().functionCodes.back();
}

bool isAppMdiAware(void* appId) {
    Module* m = moduleOfId(appId);
    return m != nullptr && m->mdiAware;
}

void setModuleUnloadHook(void (*hook)(void*)) {
    linker().unloadHook = hook;
}

void addBuiltinModule(const std::wstring& name, void (*load)(), void (*unload)()) {
    linker().builtins.push_back(Builtin{asciiUpper(name), load, unload});
}

}  // namespace cadhost

using cadhost::linker;

AcRxClass* AcRxDynamicLinker::desc() {
    return cadhost::lookupClass(L"AcRxDynamicLinker");
}
AcRxClass* AcRxDynamicLinker::isA() const {
    return desc();
}
AcRxDynamicLinker* AcRxDynamicLinker::cast(const AcRxObject* p) {
    return (p != nullptr && p->isKindOf(desc()))
               ? static_cast<AcRxDynamicLinker*>(const_cast<AcRxObject*>(p))
               : nullptr;
}

bool AcRxDynamicLinker::loadModule(const ACHAR* fileName, bool printit, bool) {
    using cadhost::writeCommandLine;
    if (fileName == nullptr || *fileName == 0) return false;
    const std::wstring name = fileName;
    for (const auto& b : linker().builtins)
        if (b.key == cadhost::asciiUpper(name)) {
            b.load();
            return true;
        }
    if (cadhost::findModule(name) != nullptr) {
        writeCommandLine(L"Module \"" + name + L"\" is already loaded.\n");
        return false;
    }
    const std::filesystem::path path = cadhost::locate(name);
    if (path.empty()) {
        writeCommandLine(L"Unable to load \"" + name + L"\": file not found.\n");
        return false;
    }
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* why = dlerror();
        writeCommandLine(L"Unable to load \"" + name + L"\": " +
                         cadhost::fromUtf8(why != nullptr ? why : "unknown error") + L"\n");
        return false;
    }
    auto entry = reinterpret_cast<AcRxEntryPointFn>(dlsym(handle, "acrxEntryPoint"));
    auto version = reinterpret_cast<AcRxApiVersionFn>(dlsym(handle, "acrxGetApiVersion"));
    std::wstring problem;
    if (entry == nullptr)
        problem = L"it has no entry point acrxEntryPoint";
    else if (version == nullptr)
        problem = L"it has no acrxGetApiVersion";
    else if ((version() >> 16) != (ACRX_API_VERSION >> 16))
        problem = L"it was built for another release of the host";
    if (!problem.empty()) {
        dlclose(handle);
        writeCommandLine(L"Unable to load \"" + name + L"\": " + problem + L".\n");
        return false;
    }
    auto module = std::make_unique<cadhost::Module>();
    module->path = path.wstring();
    module->key = cadhost::keyOf(path.wstring());
    module->handle = handle;
    module->entry = entry;
    cadhost::Module* m = module.get();
    linker().modules.push_back(std::move(module));
    if (cadhost::send(*m, AcRx::kInitAppMsg) != AcRx::kRetOK) {
        writeCommandLine(L"Module \"" + name + L"\" failed to initialise and was unloaded.\n");
        cadhost::release(m);
        return false;
    }
    if (printit) writeCommandLine(L"Module \"" + name + L"\" loaded.\n");
    cadhost::forEachOpenDocument([m] {
        if (cadhost::moduleOfId(m) != nullptr) cadhost::send(*m, AcRx::kLoadDwgMsg);
    });
    return true;
}

bool AcRxDynamicLinker::unloadModule(const ACHAR* fileName, bool printit, bool) {
    using cadhost::writeCommandLine;
    if (fileName == nullptr) return false;
    const std::wstring name = fileName;
    for (const auto& b : linker().builtins)
        if (b.key == cadhost::asciiUpper(name)) {
            b.unload();
            return true;
        }
    cadhost::Module* m = cadhost::findModule(name);
    if (m == nullptr) {
        writeCommandLine(L"Module \"" + name + L"\" is not loaded.\n");
        return false;
    }
    if (m->locked) {
        writeCommandLine(L"Module \"" + name + L"\" is locked and cannot be unloaded.\n");
        return false;
    }
    cadhost::send(*m, AcRx::kUnloadAppMsg);
    cadhost::release(m);
    if (printit) writeCommandLine(L"Module \"" + name + L"\" unloaded.\n");
    return true;
}

bool AcRxDynamicLinker::unlockApplication(void* appId) const {
    cadhost::Module* m = cadhost::moduleOfId(appId);
    if (m == nullptr) return false;
    m->locked = false;
    return true;
}

bool AcRxDynamicLinker::lockApplication(void* appId) const {
    cadhost::Module* m = cadhost::moduleOfId(appId);
    if (m == nullptr) return false;
    m->locked = true;
    return true;
}

bool AcRxDynamicLinker::isApplicationLocked(const ACHAR* fileName) const {
    const cadhost::Module* m = fileName != nullptr ? cadhost::findModule(fileName) : nullptr;
    return m != nullptr && m->locked;
}

bool AcRxDynamicLinker::registerAppMDIAware(void* appId) const {
    cadhost::Module* m = cadhost::moduleOfId(appId);
    if (m == nullptr) return false;
    m->mdiAware = true;
    return true;
}

bool AcRxDynamicLinker::registerAppNotMDIAware(void* appId) const {
    cadhost::Module* m = cadhost::moduleOfId(appId);
    if (m == nullptr) return false;
    m->mdiAware = false;
    return true;
}

std::vector<std::wstring> AcRxDynamicLinker::loadedModules() const {
    std::vector<std::wstring> names;
    for (const auto& m : linker().modules) names.push_back(m->path);
    return names;
}
