#include "host/takeover/double_click_text.h"

#include "cadhost/db/acdb_all.h"
#include "fonts/wh_config.h"
#include "host/layer/document_lock.h"
#include "host/layer/layer_state.h"
#include "host/layer/registry_services.h"
#include "host/layer/user_messages.h"
#include "host/takeover/ddedit_style.h"

namespace {

constexpr wchar_t kClassName[] = L"AcDbDoubleClickText";
constexpr wchar_t kParentClassName[] = L"AcDbDoubleClickEdit";

AcRxClass* g_class = nullptr;

AcRxObject* CreateHandler() {
    return new AcDbDoubleClickText();
}

// Closes the entity the host handed over on every way out.
class ClosedOnExit {
  public:
    explicit ClosedOnExit(AcDbEntity* entity) : entity_(entity) {}
    ~ClosedOnExit() { CloseNow(); }
    ClosedOnExit(const ClosedOnExit&) = delete;
    ClosedOnExit& operator=(const ClosedOnExit&) = delete;

    void CloseNow() {
        if (entity_ != nullptr) entity_->close();
        entity_ = nullptr;
    }

  private:
    AcDbEntity* entity_;
};

// Steps of a double-click on an editable text; true when the text was
// taken for write and released again.  The entity is closed either way.
bool TakeTextForWrite(AcDbEntity* entity) {
    ClosedOnExit closing(entity);
    if (tarsil::CWhConfig::Instance().GetDdeditStyle() != tarsil::kDdeditStyleReplaceHost) {
        return false;
    }
    if (tarsil::host::EntityLayerIsUnavailable(*entity)) {
        tarsil::host::Alert(
            L"Object's layer is locked(Frozen,Locked or Off)\nUnlock layer and try again.");
        return false;
    }
    if (dynamic_cast<AcDbText*>(entity) == nullptr) return false;

    tarsil::host::CurrentDocumentLock lock;
    if (entity->upgradeOpen() != Acad::eOk) {
        tarsil::host::Print(L"Error: Could not open AcDbText object for writing!!!\n");
        return false;
    }
    closing.CloseNow();  // before the document is unlocked
    return true;
}

}  // namespace

AcRxClass* AcDbDoubleClickText::desc() {
    if (g_class == nullptr) g_class = tarsil::host::LookUpClass(kClassName);
    return g_class;
}

AcDbDoubleClickText* AcDbDoubleClickText::cast(const AcRxObject* object) {
    return object != nullptr && object->isKindOf(desc())
               ? static_cast<AcDbDoubleClickText*>(const_cast<AcRxObject*>(object))
               : nullptr;
}

AcRxClass* AcDbDoubleClickText::isA() const {
    return desc();
}

void AcDbDoubleClickText::rxInit() {
    if (g_class != nullptr) {
        AcRxClass* registered = tarsil::host::LookUpClass(kClassName);
        if (registered == g_class) return;
        if (registered != nullptr) acrx_abort(L"Class mismatch");
    }
    g_class = newAcRxClass(kClassName, kParentClassName, 0, &CreateHandler);
}

void AcDbDoubleClickText::rxUninit() {
    AcRxClass* registered = tarsil::host::LookUpClass(kClassName);
    if (registered != nullptr && registered == g_class) deleteAcRxClass(registered);
    g_class = nullptr;
}

void AcDbDoubleClickText::startEdit(AcDbEntity* entity, AcGePoint3d) {
    if (entity != nullptr && TakeTextForWrite(entity)) tarsil::host::ClearPickFirstSelection();
}

void AcDbDoubleClickText::finishEdit() {}
