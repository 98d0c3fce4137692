// The drawing's text styles as the editors' style lists show them.
#pragma once

#include <string>
#include <vector>

#include "cadhost/db/objectid.h"

namespace tarsil {

// All text style names, in table order.
std::vector<std::wstring> TextStyleNames();
// A style by name (case-blind); null when there is none.
AcDbObjectId TextStyleByName(const std::wstring& name);
// The style's name; empty when it can't be read.
std::wstring TextStyleName(AcDbObjectId style);

}  // namespace tarsil
