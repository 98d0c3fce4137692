// The extents of a text as the alignment and spacing operations measure
// them: the host's geometric extents, with an empty string measured as if
// it read "99" so that an empty row still has a height and a place.
#pragma once

#include "cadhost/db/acdb_all.h"

namespace tarsil {

struct TextBox {
    AcGePoint3d min;
    AcGePoint3d max;
    // Lower-left corner with z 0, as the rows record it.
    AcGePoint3d LowerLeft() const { return {min.x, min.y, 0.0}; }
};

inline constexpr wchar_t kEmptyTextStandIn[] = L"99";

// Measures an open text.  An empty text open for read is upgraded to write
// for the measurement.  False when the host gives no extents.
bool MeasureText(AcDbText* text, TextBox& box);

// Opens any entity for the measurement; texts and attributes are measured
// as above.  False when the entity can't be opened or measured.
bool MeasureEntity(AcDbObjectId id, TextBox& box);

}  // namespace tarsil
