#include "host/text_lines/sort_line.h"

#include <cmath>

namespace tarsil {

AcGePoint3d SortLine::Project(const AcGePoint3d& p) const {
    const double dx = end.x - start.x, dy = end.y - start.y, dz = end.z - start.z;
    const double length2 = dx * dx + dy * dy + dz * dz;
    if (length2 == 0.0) return start;
    const double t = ((p.x - start.x) * dx + (p.y - start.y) * dy + (p.z - start.z) * dz) / length2;
    return {start.x + t * dx, start.y + t * dy, start.z + t * dz};
}

double SortLine::KeyOf(const AcGePoint3d& p) const {
    return end.distanceTo(Project(p));
}

SortLine MakeSortLine(const AcGePoint3d& extentsMin, const AcGePoint3d& extentsMax,
                      double meanRotation) {
    const double w = (extentsMax.x - extentsMin.x) + (extentsMax.y - extentsMin.y);
    const AcGePoint3d end(extentsMin.x - w * std::sin(meanRotation),
                          extentsMin.y + w * std::cos(meanRotation), extentsMin.z);
    return {extentsMin, end};
}

}  // namespace tarsil
