// The record of one line of the single-line text editor: the entity it
// edits, or for a new line where and how its text is to be created.
#pragma once

#include <string>

#include "cadhost/db/acdb_all.h"
#include "fonts/font_type.h"

namespace tarsil {

struct CTextProperties {
    AcDbObjectId objectId;  // null until the line has an entity
    FontType fontType = FontType::Unknown;
    double rotation = 0.0;  // radians
    double height = 0.0;
    // The position for the default justification, else the alignment point.
    AcGePoint3d position;
    std::wstring styleName;
    int justification = 0;  // index into the justification table
    std::wstring text;      // the line as edited, logical order
};

}  // namespace tarsil
