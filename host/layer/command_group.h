#pragma once

#include <span>

typedef struct HINSTANCE__* HINSTANCE;

namespace tarsil::host {

// One command of a group: names, the host's command flags and its handler.
struct CommandRow {
    const wchar_t* global_name;
    const wchar_t* local_name;
    int flags;
    void (*handler)();
};

// Adds the rows in order to the host's command stack under group, with no
// user-interface context, function code -1 and no resource handle.  The
// stack is looked up again for each row; results are not examined.
void AddCommandGroup(const wchar_t* group, std::span<const CommandRow> rows);
void RemoveCommandGroup(const wchar_t* group);

// Makes the module's resources current on the document manager while alive.
class ModuleResourceScope {
  public:
    explicit ModuleResourceScope(HINSTANCE module_resources);
    ~ModuleResourceScope();
    ModuleResourceScope(const ModuleResourceScope&) = delete;
    ModuleResourceScope& operator=(const ModuleResourceScope&) = delete;
};

}  // namespace tarsil::host
