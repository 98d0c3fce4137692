#pragma once

// The font type of a text style: the type that the current font map gives
// the style's primary font file.
#include <string>

#include "cadhost/db/objectid.h"
#include "fonts/font_map.h"
#include "fonts/font_type.h"

namespace tarsil {

// Unknown when the style can't be opened, has no readable font file name,
// or its font is not in the current map.  A name the map lacks is looked up
// again with its bytes read in the drawing's code page, so a map entry
// made from a font file named in Hebrew finds a legacy drawing's style.
// Reads no file.
FontType FontTypeOfStyle(AcDbObjectId styleId);
// The same in a given map (the host's view reads its own).
FontType FontTypeOfStyleIn(const FontMap& map, AcDbObjectId styleId);

// The font file name without its extension: the last "." of the final
// path component and what follows it go; a directory part stays.  A "."
// followed by a blank within the component is no extension.
std::wstring RemoveFontExtension(const std::wstring& fileName);

}  // namespace tarsil
