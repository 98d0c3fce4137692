#pragma once

#include "cadhost/editor/dblclick.h"

// What a double-click on a single-line text does while the module replaces
// the host's text editing: a text on a locked, frozen or switched-off layer
// is refused with an alert; any other text is taken for write inside a
// document lock, released again, and the pick-first selection is cleared.
class AcDbDoubleClickText : public AcDbDoubleClickEdit {
  public:
    // The class object, cached; looked up in the class dictionary while
    // the cache is empty.
    static AcRxClass* desc();
    static AcDbDoubleClickText* cast(const AcRxObject* object);
    AcRxClass* isA() const override;

    // Registers the class ("AcDbDoubleClickText", parent
    // "AcDbDoubleClickEdit").  A class of that name that is not the cached
    // one stops the host ("Class mismatch").
    static void rxInit();
    // Takes the class out of the host again (module unload).
    static void rxUninit();

    // The host hands the entity open for read and the handler closes it.
    void startEdit(AcDbEntity* entity, AcGePoint3d pick_point) override;
    void finishEdit() override;
};
