#include "host/layer/document_lock.h"

#include "cadhost/apdoc/docmanager.h"
#include "cadhost/editor/selection.h"

namespace tarsil::host {

CurrentDocumentLock::CurrentDocumentLock() {
    AcApDocManager* manager = acDocManagerPtr();
    AcApDocument* document = manager != nullptr ? manager->curDocument() : nullptr;
    if (document != nullptr &&
        manager->lockDocument(document, AcAp::kWrite, nullptr, nullptr, true) == Acad::eOk) {
        document_ = document;
    }
}

CurrentDocumentLock::~CurrentDocumentLock() {
    if (document_ != nullptr) {
        acDocManagerPtr()->unlockDocument(static_cast<AcApDocument*>(document_));
    }
}

void ClearPickFirstSelection() {
    acedSSSetFirst(nullptr, nullptr);
}

}  // namespace tarsil::host
