// The font type of a text style, as the editors and the codec ask for it.
#pragma once

#include "cadhost/db/objectid.h"
#include "fonts/font_type.h"

namespace tarsil::layer {

// Unknown when the style can't be read or its font is not in the current map.
FontType StyleFontType(AcDbObjectId textStyle);

}  // namespace tarsil::layer
