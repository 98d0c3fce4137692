#pragma once

#include <filesystem>
#include <string_view>

namespace tarsil {

struct LocatedModule {
    std::filesystem::path path;  // absolute path of the module file
    const void* handle;          // its load address; null for the executable
};

// Finds the loaded module whose file is named file_name (compared without
// regard to ASCII case) among the modules of this process; the module that
// holds this code wins over other files of the same name.  When no module
// has that name, gives the process's own executable instead.
LocatedModule LocateLoadedModule(std::string_view file_name);

}  // namespace tarsil
