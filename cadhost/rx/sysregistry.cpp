#include "cadhost/editor/commandstack.h"
#include "cadhost/rx/dynlinker.h"

AcRxDictionary* acrxSysRegistry() {
    static AcRxDictionary* registry = [] {
        auto* r = new AcRxDictionary(false);
        r->atPut(ACRX_CLASS_DICTIONARY, acrxClassDictionaryPtr());
        r->atPut(ACRX_DYNAMIC_LINKER, new AcRxDynamicLinker());
        r->atPut(ACRX_COMMAND_DOCK, acedRegCmdsPtr());
        return r;
    }();
    return registry;
}
