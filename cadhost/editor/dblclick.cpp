#include "cadhost/editor/dblclick.h"

#include "cadhost/db/acdb_all.h"
#include "cadhost/editor/cmdline.h"
#include "cadhost/editor/input.h"
#include "cadhost/editor/prompt_context.h"
#include "cadhost/editor/selection.h"
#include "cadhost/rx/dynlinker.h"

AcRxClass* AcDbDoubleClickEdit::desc() {
    return cadhost::lookupClass(L"AcDbDoubleClickEdit");
}
AcRxClass* AcDbDoubleClickEdit::isA() const {
    return desc();
}
AcDbDoubleClickEdit* AcDbDoubleClickEdit::cast(const AcRxObject* p) {
    return (p != nullptr && p->isKindOf(desc()))
               ? static_cast<AcDbDoubleClickEdit*>(const_cast<AcRxObject*>(p))
               : nullptr;
}

namespace cadhost {
namespace {
// The host's own extension for text: the text's string is edited in place.
class HostTextDoubleClick : public AcDbDoubleClickEdit {
  public:
    void startEdit(AcDbEntity* pEnt, AcGePoint3d) override {
        const AcDbObjectId id = pEnt->objectId();
        pEnt->close();
        editTextString(id);
    }
    void finishEdit() override {}
};

HostTextDoubleClick* hostExtension() {
    static auto* x = new HostTextDoubleClick();
    return x;
}
}  // namespace

namespace {
int depthOf(const AcRxClass* c) {
    int d = 0;
    for (; c != nullptr; c = c->myParent()) ++d;
    return d;
}
}  // namespace

AcDbDoubleClickEdit* findDoubleClickEdit(const AcRxClass* cls) {
    // The nearest class that has one; there, the most specific protocol
    // (a module's class derived from AcDbDoubleClickEdit wins over the base).
    const AcRxClass* base = AcDbDoubleClickEdit::desc();
    for (const AcRxClass* c = cls; c != nullptr; c = c->myParent()) {
        AcRxObject* best = nullptr;
        int bestDepth = -1;
        for (const auto& [key, object] : c->extensions()) {
            if (key == nullptr || !key->isDerivedFrom(base) ||
                AcDbDoubleClickEdit::cast(object) == nullptr)
                continue;
            if (depthOf(key) > bestDepth) {
                best = object;
                bestDepth = depthOf(key);
            }
        }
        if (best != nullptr) return AcDbDoubleClickEdit::cast(best);
    }
    return nullptr;
}

AcRxClass* classOfEntity(const AcDbEntity* e) {
    const wchar_t* name = L"AcDbEntity";
    if (dynamic_cast<const AcDbAttribute*>(e) != nullptr)
        name = L"AcDbAttribute";
    else if (dynamic_cast<const AcDbText*>(e) != nullptr)
        name = L"AcDbText";
    else if (dynamic_cast<const AcDbMText*>(e) != nullptr)
        name = L"AcDbMText";
    else if (dynamic_cast<const AcDbDimension*>(e) != nullptr)
        name = L"AcDbDimension";
    else if (dynamic_cast<const AcDbBlockReference*>(e) != nullptr)
        name = L"AcDbBlockReference";
    else if (dynamic_cast<const AcDbLine*>(e) != nullptr)
        name = L"AcDbLine";
    return lookupClass(name);
}

bool doubleClick(AcDbObjectId id, const AcGePoint3d& point) {
    AcDbEntity* ent = nullptr;
    if (acdbOpenObject(ent, id, AcDb::kForRead) != Acad::eOk) return false;
    AcRxClass* cls = classOfEntity(ent);
    AcDbDoubleClickEdit* edit = findDoubleClickEdit(cls);
    if (edit == nullptr) {
        ent->close();
        return false;
    }
    edit->startEdit(ent, point);
    edit->finishEdit();
    return true;
}

void installHostTextDoubleClick() {
    AcRxClass* text = lookupClass(L"AcDbText");
    if (text != nullptr && text->getX(AcDbDoubleClickEdit::desc()) == nullptr)
        text->addX(AcDbDoubleClickEdit::desc(), hostExtension());
}

void removeHostTextDoubleClick() {
    AcRxClass* text = lookupClass(L"AcDbText");
    if (text != nullptr && text->getX(AcDbDoubleClickEdit::desc()) == hostExtension())
        text->delX(AcDbDoubleClickEdit::desc());
}

bool hostTextDoubleClickInstalled() {
    AcRxClass* text = lookupClass(L"AcDbText");
    return text != nullptr && text->getX(AcDbDoubleClickEdit::desc()) == hostExtension();
}

bool editTextString(AcDbObjectId id) {
    AcDbText* text = nullptr;
    if (acdbOpenObject(text, id, AcDb::kForRead) != Acad::eOk) return false;
    const std::wstring old = text->textStringConst();
    text->close();
    if (entityOnLockedLayer(id)) {
        writeCommandLine(L"Object is on a locked layer.\n");
        return true;
    }
    const PromptScope scope(PromptKind::Text);
    const InputLine in = promptInput(L"Enter new text <" + old + L">: ");
    if (in.kind != InputLine::Text || in.text.empty()) return true;
    if (acdbOpenObject(text, id, AcDb::kForWrite) != Acad::eOk) {
        writeCommandLine(L"The text cannot be changed (it is open elsewhere).\n");
        return true;
    }
    text->setTextString(in.text.c_str());
    text->close();
    return true;
}

}  // namespace cadhost
