// A snapshot of the properties of one single-line text (or attribute),
// taken before the editor changes it and written back to give up changes.
#pragma once

#include <string>

#include "cadhost/db/acdb_all.h"

namespace tarsil {

class SafePropertyText {
  public:
    virtual ~SafePropertyText() = default;

    // Copies the text's properties; false when it can't be opened.
    bool Read(AcDbObjectId id);
    // Writes every property back, in the order that lets the host place a
    // justified text correctly; false when the text can't be opened.
    bool Write(AcDbObjectId id) const;
    // Fills the style name from the style record; prints a message and
    // leaves it when the record can't be opened.
    bool ReadStyleName();

    AcGePoint3d alignmentPoint;
    AcGePoint3d position;
    double height = 0.0;
    double rotation = 0.0;
    double widthFactor = 1.0;
    int horizontalMode = 0;
    int verticalMode = 0;
    std::wstring textString;
    AcDbObjectId textStyle;
    std::wstring textStyleName;
};

}  // namespace tarsil
