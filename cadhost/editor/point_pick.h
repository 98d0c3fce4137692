#pragma once

// Picking at a point when the host has a window: the window knows what it
// draws where and how big its pick box is on the screen, so a point typed
// at a prompt picks what a click there picks, and fast (its spatial index).
#include <functional>
#include <optional>

#include "cadhost/db/objectid.h"

namespace cadhost {

// The entity drawn at a world point (null id: nothing), or nullopt when the
// window cannot tell (it shows another space than the current one).
using PointPicker = std::function<std::optional<AcDbObjectId>(double x, double y)>;
// Without one (or when it cannot tell) the host searches the current space.
void setPointPicker(PointPicker picker);

}  // namespace cadhost
