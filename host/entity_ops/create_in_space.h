// New text entities in the current space: paper space when the system
// variable "CVPORT" is 1, model space otherwise.
#pragma once

#include <string>

#include "cadhost/db/acdb_all.h"
#include "host/entity_ops/text_properties.h"

namespace tarsil {

// Creates a single-line text from the record with the (stored) string and
// keeps the new object id in the record.  False when the style table or
// the space can't be opened.
bool CreateTextInCurrentSpace(CTextProperties& record, const std::wstring& storedText);

// What the MText editor knows of the MText it is about to create.
struct MTextCreation {
    AcGePoint3d location;
    int attachment = AcDbMText::kTopRight;
    AcDbObjectId textStyle;
    double textHeight = 0.0;
    AcDbObjectId objectId;  // filled by the creation
    bool exists = false;    // set once the MText is in the drawing
};

bool CreateMTextInCurrentSpace(MTextCreation& mtext, const std::wstring& contents);

}  // namespace tarsil
