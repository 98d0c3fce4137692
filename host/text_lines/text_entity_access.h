// The single-line text entities and text styles as the editor's records
// see them.  Each call opens what it needs, changes it, draws and closes it.
#pragma once

#include <string>
#include <vector>

#include "cadhost/db/acdb_all.h"
#include "host/entity_ops/text_properties.h"
#include "host/mtext_edit/text_styles.h"

namespace tarsil {

// Fills the record from its entity (style name and its font type, height,
// rotation, justification, and the position or, for a justified text, the
// alignment point) and gives its stored string.  False when it can't be
// opened for read.
bool ReadTextRecord(CTextProperties& record, std::wstring& stored);

// The text's geometric extents; false when it can't be opened or measured.
bool TextExtents(AcDbObjectId id, AcGePoint3d& min, AcGePoint3d& max);

// Open for write, change, adjust a justified text's alignment, draw, close.
// Each is false when the text can't be opened for write.
bool WriteTextString(AcDbObjectId id, const std::wstring& stored);
// Puts the text's anchor (its position, or the alignment point of a
// justified text) at the point.
bool PlaceText(AcDbObjectId id, const AcGePoint3d& anchor);
bool WriteTextHeight(AcDbObjectId id, double height);
bool WriteTextRotation(AcDbObjectId id, double radians);
// A text going from the default justification to another keeps its
// position as the alignment point; one coming from a justification keeps
// its alignment point as the position.
bool WriteTextJustification(AcDbObjectId id, int justification);
bool WriteTextStyle(AcDbObjectId id, AcDbObjectId style);
bool EraseText(AcDbObjectId id);

// Text styles of the working drawing (names and lookup: text_styles.h).
FontType FontTypeOfStyleName(const std::wstring& name);
// The drawing's current text style (its name) and current text size.
std::wstring CurrentTextStyleName();
double CurrentTextSize();

}  // namespace tarsil
