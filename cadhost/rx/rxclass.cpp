#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "cadhost/editor/cmdline.h"
#include "cadhost/rx/rxobject.h"
#include "cadhost/rx/wide.h"

namespace {
std::wstring orEmpty(const ACHAR* s) {
    return s != nullptr ? std::wstring(s) : std::wstring();
}

// The classes the host itself provides, child after parent.
const std::pair<const wchar_t*, const wchar_t*> kHostClasses[] = {
    {L"AcRxObject", L""},
    {L"AcRxClass", L"AcRxObject"},
    {L"AcRxDictionary", L"AcRxObject"},
    {L"AcRxDynamicLinker", L"AcRxObject"},
    {L"AcEdCommandStack", L"AcRxObject"},
    {L"AcApDocument", L"AcRxObject"},
    {L"AcApDocManager", L"AcRxObject"},
    {L"AcDbObject", L"AcRxObject"},
    {L"AcDbEntity", L"AcDbObject"},
    {L"AcDbText", L"AcDbEntity"},
    {L"AcDbAttribute", L"AcDbText"},
    {L"AcDbAttributeDefinition", L"AcDbText"},
    {L"AcDbMText", L"AcDbEntity"},
    {L"AcDbDimension", L"AcDbEntity"},
    {L"AcDbBlockReference", L"AcDbEntity"},
    {L"AcDbLine", L"AcDbEntity"},
    {L"AcDbSymbolTableRecord", L"AcDbObject"},
    {L"AcDbTextStyleTableRecord", L"AcDbSymbolTableRecord"},
    {L"AcDbLayerTableRecord", L"AcDbSymbolTableRecord"},
    {L"AcDbBlockTableRecord", L"AcDbSymbolTableRecord"},
    {L"AcDbDoubleClickEdit", L"AcRxObject"},
};

AcRxDictionary*& classDictionarySlot() {
    static AcRxDictionary* dictionary = nullptr;
    return dictionary;
}
}  // namespace

AcRxDictionary* acrxClassDictionaryPtr() {
    AcRxDictionary*& dictionary = classDictionarySlot();
    if (dictionary == nullptr) {
        dictionary = new AcRxDictionary(true);
        for (const auto& [name, parent] : kHostClasses) {
            auto* cls = new AcRxClass(name, parent, 0, nullptr, nullptr, L"cadhost");
            dictionary->atPut(name, cls);
            cls->resolveParent();
        }
    }
    return dictionary;
}

namespace cadhost {
AcRxClass* lookupClass(const ACHAR* name) {
    return static_cast<AcRxClass*>(acrxClassDictionaryPtr()->at(name));
}
}  // namespace cadhost

AcRxClass* AcRxObject::desc() {
    return cadhost::lookupClass(L"AcRxObject");
}
AcRxClass* AcRxObject::isA() const {
    return AcRxObject::desc();
}

bool AcRxObject::isKindOf(const AcRxClass* aClass) const {
    const AcRxClass* mine = isA();
    return mine != nullptr && aClass != nullptr && mine->isDerivedFrom(aClass);
}

AcRxObject* AcRxObject::queryX(const AcRxClass* protocolClass) const {
    const AcRxClass* mine = isA();
    return mine != nullptr ? mine->queryX(protocolClass) : nullptr;
}

AcRxClass::AcRxClass(const ACHAR* name, const ACHAR* parentName, int proxyFlags,
                     AcRxPseudoConstructor creator, const ACHAR* dxfName, const ACHAR* appName)
    : name_(orEmpty(name)),
      parentName_(orEmpty(parentName)),
      dxfName_(orEmpty(dxfName)),
      appName_(orEmpty(appName)),
      proxyFlags_(proxyFlags),
      creator_(creator) {}

AcRxClass* AcRxClass::desc() {
    return cadhost::lookupClass(L"AcRxClass");
}
AcRxClass* AcRxClass::isA() const {
    return AcRxClass::desc();
}

bool AcRxClass::isDerivedFrom(const AcRxClass* other) const {
    for (const AcRxClass* c = this; c != nullptr; c = c->parent_)
        if (c == other) return true;
    return false;
}

bool AcRxClass::resolveParent() {
    if (parentName_.empty()) return true;
    parent_ = cadhost::lookupClass(parentName_.c_str());
    return parent_ != nullptr;
}

AcRxObject* AcRxClass::addX(AcRxClass* protocolClass, AcRxObject* extension) {
    AcRxObject*& slot = extensions_[protocolClass];
    AcRxObject* replaced = slot;
    slot = extension;
    if (extension == nullptr) extensions_.erase(protocolClass);
    return replaced;
}

AcRxObject* AcRxClass::delX(AcRxClass* protocolClass) {
    auto it = extensions_.find(protocolClass);
    if (it == extensions_.end()) return nullptr;
    AcRxObject* removed = it->second;
    extensions_.erase(it);
    return removed;
}

AcRxObject* AcRxClass::getX(const AcRxClass* protocolClass) const {
    auto it = extensions_.find(protocolClass);
    return it != extensions_.end() ? it->second : nullptr;
}

AcRxObject* AcRxClass::queryX(const AcRxClass* protocolClass) const {
    for (const AcRxClass* c = this; c != nullptr; c = c->parent_)
        if (AcRxObject* x = c->getX(protocolClass)) return x;
    return nullptr;
}

AcRxClass* newAcRxClass(const ACHAR* className, const ACHAR* parentClassName, int proxyFlags,
                        AcRxPseudoConstructor pseudoConstructor, const ACHAR* dxfName,
                        const ACHAR* appName) {
    if (className == nullptr || *className == 0) return nullptr;
    AcRxDictionary* dictionary = acrxClassDictionaryPtr();
    if (auto* existing = static_cast<AcRxClass*>(dictionary->at(className))) return existing;
    auto* cls =
        new AcRxClass(className, parentClassName, proxyFlags, pseudoConstructor, dxfName, appName);
    dictionary->atPut(className, cls);
    cls->resolveParent();
    return cls;
}

void deleteAcRxClass(AcRxClass* pClassObj) {
    if (pClassObj == nullptr) return;
    AcRxDictionary* dictionary = acrxClassDictionaryPtr();
    if (dictionary->at(pClassObj->name()) == pClassObj) dictionary->remove(pClassObj->name());
    // Extensions keyed by the class go with it.
    for (const auto& [name, object] : dictionary->entries()) {
        auto* cls = static_cast<AcRxClass*>(object);
        cls->delX(pClassObj);
        if (cls->myParent() == pClassObj) cls->resolveParent();
    }
    delete pClassObj;
}

void acrxBuildClassHierarchy() {
    for (const auto& [name, object] : acrxClassDictionaryPtr()->entries())
        static_cast<AcRxClass*>(object)->resolveParent();
}

void acrx_abort(const ACHAR* format, ...) {
    std::vector<wchar_t> buffer(1024);
    va_list args;
    va_start(args, format);
    const std::wstring fmt = cadhost::windowsFormat(format != nullptr ? format : L"");
    vswprintf(buffer.data(), buffer.size(), fmt.c_str(), args);
    va_end(args);
    const std::string message = cadhost::toUtf8(buffer.data());
    cadhost::flushCommandLine();
    std::fprintf(stderr, "INTERNAL ERROR: %s\n", message.c_str());
    std::fflush(stdout);
    std::_Exit(70);
}
