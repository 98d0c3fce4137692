// The library's attach and detach.  The host's user-interface libraries need
// no start-up here (Qt starts with the host's application object); what
// remains is to remember that the module is attached, once.
#include "host/module/module_file.h"

namespace {

bool g_attached = false;

__attribute__((constructor)) void AttachModule() {
    if (g_attached) return;
    g_attached = tarsil::ModuleResourceHandle() != nullptr;
}

__attribute__((destructor)) void DetachModule() {
    g_attached = false;
}

}  // namespace
