#pragma once

// What the host does when the user double-clicks an entity: it asks the
// entity's class (or a parent class) for its AcDbDoubleClickEdit protocol
// extension and calls startEdit with the entity open for read, then
// finishEdit.  startEdit owns the open entity and closes it.
#include "cadhost/db/objectid.h"
#include "cadhost/geom/gepoint.h"
#include "cadhost/rx/rxobject.h"

class AcDbEntity;

class AcDbDoubleClickEdit : public AcRxObject {
  public:
    static AcRxClass* desc();
    static AcDbDoubleClickEdit* cast(const AcRxObject* p);
    AcRxClass* isA() const override;
    virtual void startEdit(AcDbEntity* pEnt, AcGePoint3d pt) = 0;
    virtual void finishEdit() = 0;
};

namespace cadhost {
// The run-time class of a database entity ("AcDbText", "AcDbAttribute", ...).
AcRxClass* classOfEntity(const AcDbEntity* entity);
// The double-click extension for a class: on the class or its nearest
// parent that has one, keyed by AcDbDoubleClickEdit or a class derived
// from it (the most derived key wins).
AcDbDoubleClickEdit* findDoubleClickEdit(const AcRxClass* cls);
// Double-clicks the entity at the point (world coordinates); false when
// the entity cannot be opened or no extension answers for its class.
bool doubleClick(AcDbObjectId id, const AcGePoint3d& point);
// The host's own text double-click editing (edits the text like DDEDIT);
// it is the built-in module "ACDBLCLKEDITPE.ARX".
void installHostTextDoubleClick();
void removeHostTextDoubleClick();
bool hostTextDoubleClickInstalled();
// Edits one text's stored string at the command line; false if it is no text.
bool editTextString(AcDbObjectId id);
}  // namespace cadhost
