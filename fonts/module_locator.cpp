#include "fonts/module_locator.h"

#include <link.h>

#include <system_error>

#include "fonts/wide_text.h"

namespace tarsil {

namespace fs = std::filesystem;

namespace {

struct Search {
    std::string_view name;
    // When set, only the module whose segments hold this address counts.
    const void* holding = nullptr;
    LocatedModule found{};
};

bool Holds(const dl_phdr_info& info, const void* address) {
    const auto at = reinterpret_cast<ElfW(Addr)>(address);
    for (ElfW(Half) i = 0; i < info.dlpi_phnum; ++i) {
        const ElfW(Phdr)& segment = info.dlpi_phdr[i];
        if (segment.p_type != PT_LOAD) continue;
        const ElfW(Addr) start = info.dlpi_addr + segment.p_vaddr;
        if (at >= start && at - start < segment.p_memsz) return true;
    }
    return false;
}

int VisitModule(dl_phdr_info* info, size_t, void* data) {
    auto* search = static_cast<Search*>(data);
    if (info->dlpi_name == nullptr || info->dlpi_name[0] == '\0') return 0;
    if (search->holding != nullptr && !Holds(*info, search->holding)) return 0;
    const fs::path path(info->dlpi_name);
    if (!EqualsIgnoreCase(WidenBytes(path.filename().native()), WidenBytes(search->name))) {
        return 0;
    }
    std::error_code ec;
    fs::path absolute = fs::weakly_canonical(path, ec);
    search->found.path = ec ? fs::absolute(path, ec) : absolute;
    search->found.handle = reinterpret_cast<const void*>(info->dlpi_addr);
    return 1;
}

}  // namespace

LocatedModule LocateLoadedModule(std::string_view file_name) {
    // The module this code is part of comes first: a module file unloaded
    // earlier may stay mapped (the module is linked not to be unmapped),
    // and a copy loaded from elsewhere after it must find itself, not it.
    Search own{file_name, reinterpret_cast<const void*>(&LocateLoadedModule)};
    if (dl_iterate_phdr(VisitModule, &own) != 0 && !own.found.path.empty()) return own.found;
    Search search{file_name};
    if (dl_iterate_phdr(VisitModule, &search) != 0 && !search.found.path.empty()) {
        return search.found;
    }
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return {ec ? fs::path() : exe, nullptr};
}

}  // namespace tarsil
