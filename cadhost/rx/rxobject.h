#pragma once

// The run-time class system: objects that know their class, classes that
// know their parent and carry protocol extensions, and the dictionaries of
// the system registry.
#include <map>
#include <string>

#include "cadhost/rx/adsdefs.h"

class AcRxClass;

namespace AcRx {
enum AppMsgCode {
    kNullMsg = 0,
    kInitAppMsg = 1,
    kUnloadAppMsg = 2,
    kLoadDwgMsg = 3,
    kUnloadDwgMsg = 4,
    kInvkSubrMsg = 5,
    kCfgMsg = 6,
    kEndMsg = 7,
    kQuitMsg = 8,
    kSaveMsg = 9,
    kDependencyMsg = 10,
    kNoDependencyMsg = 11,
    kOleUnloadAppMsg = 12,
    kPreQuitMsg = 13,
    kInitDialogMsg = 14,
    kEndDialogMsg = 15,
    kSuspendMsg = 16,
};
enum AppRetCode { kRetOK = 0, kRetError = 3 };
}  // namespace AcRx

// Declares desc(), cast() and isA() of a run-time class.
#define ACRX_DECLARE_MEMBERS(CLASS_NAME)              \
    static AcRxClass* desc();                         \
    static CLASS_NAME* cast(const AcRxObject* inPtr); \
    AcRxClass* isA() const override;                  \
    static void rxInit();                             \
    static AcRxClass* gpDesc

// Defines them for a class whose parent is already registered; rxInit()
// registers the class in the class dictionary.
#define ACRX_DEFINE_MEMBERS_WITH(CLASS_NAME, PARENT_CLASS, CREATOR)            \
    AcRxClass* CLASS_NAME::gpDesc = nullptr;                                   \
    AcRxClass* CLASS_NAME::desc() {                                            \
        if (gpDesc == nullptr) gpDesc = cadhost::lookupClass(L## #CLASS_NAME); \
        return gpDesc;                                                         \
    }                                                                          \
    CLASS_NAME* CLASS_NAME::cast(const AcRxObject* inPtr) {                    \
        return (inPtr != nullptr && inPtr->isKindOf(CLASS_NAME::desc()))       \
                   ? static_cast<CLASS_NAME*>(const_cast<AcRxObject*>(inPtr))  \
                   : nullptr;                                                  \
    }                                                                          \
    AcRxClass* CLASS_NAME::isA() const {                                       \
        return CLASS_NAME::desc();                                             \
    }                                                                          \
    void CLASS_NAME::rxInit() {                                                \
        gpDesc = newAcRxClass(L## #CLASS_NAME, L## #PARENT_CLASS, 0, CREATOR); \
    }

#define ACRX_NO_CONS_DEFINE_MEMBERS(CLASS_NAME, PARENT_CLASS) \
    ACRX_DEFINE_MEMBERS_WITH(CLASS_NAME, PARENT_CLASS, nullptr)

class AcRxObject {
  public:
    virtual ~AcRxObject() = default;
    static AcRxClass* desc();
    static AcRxObject* cast(const AcRxObject* inPtr) { return const_cast<AcRxObject*>(inPtr); }
    virtual AcRxClass* isA() const;
    bool isKindOf(const AcRxClass* aClass) const;
    // The protocol extension registered for this object's class (or a parent).
    AcRxObject* queryX(const AcRxClass* protocolClass) const;
    AcRxObject* x(const AcRxClass* protocolClass) const { return queryX(protocolClass); }
};

typedef AcRxObject* (*AppNameChangeFuncPtr)();
typedef AcRxObject* (*AcRxPseudoConstructor)();

class AcRxClass : public AcRxObject {
  public:
    AcRxClass(const ACHAR* name, const ACHAR* parentName, int proxyFlags,
              AcRxPseudoConstructor creator, const ACHAR* dxfName, const ACHAR* appName);
    static AcRxClass* desc();
    AcRxClass* isA() const override;

    const ACHAR* name() const { return name_.c_str(); }
    const ACHAR* dxfName() const { return dxfName_.c_str(); }
    const ACHAR* appName() const { return appName_.c_str(); }
    const ACHAR* parentName() const { return parentName_.c_str(); }
    int proxyFlags() const { return proxyFlags_; }
    AcRxClass* myParent() const { return parent_; }
    bool isDerivedFrom(const AcRxClass* other) const;
    AcRxObject* create() const { return creator_ != nullptr ? creator_() : nullptr; }

    // Protocol extensions keyed by their protocol class.  addX returns the
    // object it replaces, delX the object it removes; queryX looks in the
    // parents too, getX in this class only.
    AcRxObject* addX(AcRxClass* protocolClass, AcRxObject* extension);
    AcRxObject* delX(AcRxClass* protocolClass);
    AcRxObject* getX(const AcRxClass* protocolClass) const;
    AcRxObject* queryX(const AcRxClass* protocolClass) const;

    // Every extension of this class, by protocol class.
    const std::map<const AcRxClass*, AcRxObject*>& extensions() const { return extensions_; }

    // Resolves the parent by name; false while the parent is unknown.
    bool resolveParent();

  private:
    std::wstring name_, parentName_, dxfName_, appName_;
    int proxyFlags_;
    AcRxPseudoConstructor creator_;
    AcRxClass* parent_ = nullptr;
    std::map<const AcRxClass*, AcRxObject*> extensions_;
};

// A dictionary of named objects; it does not own them unless made to.
class AcRxDictionary : public AcRxObject {
  public:
    explicit AcRxDictionary(bool owns = false) : owns_(owns) {}
    ~AcRxDictionary() override;
    static AcRxClass* desc();
    static AcRxDictionary* cast(const AcRxObject* p);
    AcRxClass* isA() const override;

    AcRxObject* at(const ACHAR* key) const;
    // Stores the object and returns the one it replaces.
    AcRxObject* atPut(const ACHAR* key, AcRxObject* object);
    AcRxObject* remove(const ACHAR* key);
    bool has(const ACHAR* key) const { return at(key) != nullptr; }
    std::uint32_t numEntries() const { return static_cast<std::uint32_t>(entries_.size()); }
    const std::map<std::wstring, AcRxObject*>& entries() const { return entries_; }

  private:
    bool owns_;
    std::map<std::wstring, AcRxObject*> entries_;
};

AcRxDictionary* acrxSysRegistry();
AcRxDictionary* acrxClassDictionaryPtr();
#define acrxClassDictionary acrxClassDictionaryPtr()

// Creates a class and enters it in the class dictionary.  An existing class
// of the same name is returned unchanged.
AcRxClass* newAcRxClass(const ACHAR* className, const ACHAR* parentClassName, int proxyFlags = 0,
                        AcRxPseudoConstructor pseudoConstructor = nullptr,
                        const ACHAR* dxfName = nullptr, const ACHAR* appName = nullptr);
// Removes a class from the class dictionary and deletes it.
void deleteAcRxClass(AcRxClass* pClassObj);
// Links every class to its parent by name.
void acrxBuildClassHierarchy();
// Ends the host with the message, as after a fatal error.
[[noreturn]] void acrx_abort(const ACHAR* format, ...);

namespace cadhost {
AcRxClass* lookupClass(const ACHAR* name);
}  // namespace cadhost
