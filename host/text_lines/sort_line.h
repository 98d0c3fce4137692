// The line that puts the texts of the editor in reading order: it runs up
// the page of their mean direction, and a text's key is how far below the
// line's upper end its point lies, measured along the line.
#pragma once

#include <vector>

#include "cadhost/geom/gepoint.h"

namespace tarsil {

struct SortLine {
    AcGePoint3d start;  // the texts' extents' minimum point
    AcGePoint3d end;    // up the page from start

    // The point of the line (extended both ways) nearest to p.
    AcGePoint3d Project(const AcGePoint3d& p) const;
    // Distance from the upper end to p's projection: small keys come first.
    double KeyOf(const AcGePoint3d& p) const;
};

// Built from the union of the texts' extents and their mean rotation: the
// line is as long as the extents are wide plus high, so every text projects
// onto it.
SortLine MakeSortLine(const AcGePoint3d& extentsMin, const AcGePoint3d& extentsMax,
                      double meanRotation);

}  // namespace tarsil
