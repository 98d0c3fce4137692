#include "cadhost/rx/rxobject.h"

AcRxDictionary::~AcRxDictionary() {
    if (owns_)
        for (auto& [key, object] : entries_) delete object;
}

AcRxClass* AcRxDictionary::desc() {
    return cadhost::lookupClass(L"AcRxDictionary");
}
AcRxClass* AcRxDictionary::isA() const {
    return AcRxDictionary::desc();
}
AcRxDictionary* AcRxDictionary::cast(const AcRxObject* p) {
    return (p != nullptr && p->isKindOf(desc()))
               ? static_cast<AcRxDictionary*>(const_cast<AcRxObject*>(p))
               : nullptr;
}

AcRxObject* AcRxDictionary::at(const ACHAR* key) const {
    if (key == nullptr) return nullptr;
    auto it = entries_.find(key);
    return it != entries_.end() ? it->second : nullptr;
}

AcRxObject* AcRxDictionary::atPut(const ACHAR* key, AcRxObject* object) {
    if (key == nullptr) return nullptr;
    AcRxObject*& slot = entries_[key];
    AcRxObject* replaced = slot;
    slot = object;
    return replaced;
}

AcRxObject* AcRxDictionary::remove(const ACHAR* key) {
    if (key == nullptr) return nullptr;
    auto it = entries_.find(key);
    if (it == entries_.end()) return nullptr;
    AcRxObject* removed = it->second;
    entries_.erase(it);
    return removed;
}
