#pragma once

class AcDbEntity;

namespace tarsil::host {

// Whether the entity's layer keeps it from being edited: locked, frozen or
// switched off, or a layer record that can't be opened.
bool EntityLayerIsUnavailable(const AcDbEntity& entity);

}  // namespace tarsil::host
