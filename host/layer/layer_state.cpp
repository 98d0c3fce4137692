#include "host/layer/layer_state.h"

#include "cadhost/db/acdb_all.h"

namespace tarsil::host {

bool EntityLayerIsUnavailable(const AcDbEntity& entity) {
    AcDbLayerTableRecord* layer = nullptr;
    if (acdbOpenObject(layer, entity.layerId(), AcDb::kForRead) != Acad::eOk) return true;
    const bool unavailable = layer->isLocked() || layer->isFrozen() || layer->isOff();
    layer->close();
    return unavailable;
}

}  // namespace tarsil::host
