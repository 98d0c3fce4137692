#include "fonts/module_locator.h"

#include <link.h>

#include <system_error>

#include "fonts/wide_text.h"

namespace tarsil {

namespace fs = std::filesystem;

namespace {

struct Search {
    std::string_view name;
    LocatedModule found{};
};

int VisitModule(dl_phdr_info* info, size_t, void* data) {
    auto* search = static_cast<Search*>(data);
    if (info->dlpi_name == nullptr || info->dlpi_name[0] == '\0') return 0;
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
    Search search{file_name};
    if (dl_iterate_phdr(VisitModule, &search) != 0 && !search.found.path.empty()) {
        return search.found;
    }
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return {ec ? fs::path() : exe, nullptr};
}

}  // namespace tarsil
