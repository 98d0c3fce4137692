#pragma once

// The user coordinate system: an origin and a rotation about the world Z
// axis, kept in the drawing as "UCSORG" and "UCSXDIR".
#include "cadhost/rx/adsdefs.h"

// Transforms a point (disp 0) or a displacement (disp != 0) between systems:
// RTSHORT 0 world, 1 user, 2 display (the user system, seen in plan),
// 3 paper display (the same); an entity name gives its own system, which
// for the planar entities of this host is the world system.
int acedTrans(const ads_point pt, const resbuf* from, const resbuf* to, int disp, ads_point result);

namespace cadhost {
struct Ucs {
    double origin[3] = {0, 0, 0};
    double angle = 0;  // of the X axis, about world Z, radians
};
Ucs currentUcs();
void setCurrentUcs(const Ucs& ucs);
void ucsToWorld(const Ucs& ucs, const double in[3], bool displacement, double out[3]);
void worldToUcs(const Ucs& ucs, const double in[3], bool displacement, double out[3]);
}  // namespace cadhost
