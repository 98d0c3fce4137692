#include "host/layer/entity_style_font.h"

#include "fonts/style_font/font_type_of_style.h"

namespace tarsil::layer {

FontType StyleFontType(AcDbObjectId textStyle) {
    return FontTypeOfStyle(textStyle);
}

}  // namespace tarsil::layer
