#include "cadhost/editor/ucs.h"

#include <cmath>

#include "cadhost/db/database.h"
#include "cadhost/editor/sysvars.h"

namespace cadhost {

Ucs currentUcs() {
    Ucs ucs;
    if (auto org = getVar(L"UCSORG"))
        for (int i = 0; i < 3; ++i) ucs.origin[i] = org->point[i];
    if (auto xdir = getVar(L"UCSXDIR")) ucs.angle = std::atan2(xdir->point[1], xdir->point[0]);
    return ucs;
}

void setCurrentUcs(const Ucs& ucs) {
    const double c = std::cos(ucs.angle);
    const double s = std::sin(ucs.angle);
    // Keep exact axes for the right angles users type most.
    auto clean = [](double v) { return std::fabs(v) < 1e-15 ? 0.0 : v; };
    // Origin and axes change together, and U takes them back together.
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (db != nullptr) db->beginUndoGroup();
    setVarInternal(L"UCSORG", VarValue::ofPoint(ucs.origin[0], ucs.origin[1], ucs.origin[2]));
    setVarInternal(L"UCSXDIR", VarValue::ofPoint(clean(c), clean(s), 0));
    setVarInternal(L"UCSYDIR", VarValue::ofPoint(clean(-s), clean(c), 0));
    if (db != nullptr) db->endUndoGroup();
}

void ucsToWorld(const Ucs& ucs, const double in[3], bool displacement, double out[3]) {
    const double c = std::cos(ucs.angle);
    const double s = std::sin(ucs.angle);
    const double x = in[0] * c - in[1] * s;
    const double y = in[0] * s + in[1] * c;
    const double z = in[2];
    out[0] = x + (displacement ? 0 : ucs.origin[0]);
    out[1] = y + (displacement ? 0 : ucs.origin[1]);
    out[2] = z + (displacement ? 0 : ucs.origin[2]);
}

void worldToUcs(const Ucs& ucs, const double in[3], bool displacement, double out[3]) {
    double d[3] = {in[0], in[1], in[2]};
    if (!displacement)
        for (int i = 0; i < 3; ++i) d[i] -= ucs.origin[i];
    const double c = std::cos(ucs.angle);
    const double s = std::sin(ucs.angle);
    out[0] = d[0] * c + d[1] * s;
    out[1] = -d[0] * s + d[1] * c;
    out[2] = d[2];
}

}  // namespace cadhost

namespace {
// 0 world, 1 user; -1 for a system the host does not know.
int systemOf(const resbuf* rb) {
    if (rb == nullptr) return -1;
    switch (rb->restype) {
        case RTSHORT:
            switch (rb->resval.rint) {
                case 0:
                    return 0;
                case 1:
                case 2:
                case 3:
                    return 1;
                default:
                    return -1;
            }
        case RTENAME:
            return 0;
        case RT3DPOINT:
            // An extrusion direction: only the world Z axis is planar here.
            return (rb->resval.rpoint[0] == 0 && rb->resval.rpoint[1] == 0 &&
                    rb->resval.rpoint[2] != 0)
                       ? 0
                       : -1;
        default:
            return -1;
    }
}
}  // namespace

int acedTrans(const ads_point pt, const resbuf* from, const resbuf* to, int disp,
              ads_point result) {
    const int source = systemOf(from);
    const int target = systemOf(to);
    if (pt == nullptr || result == nullptr || source < 0 || target < 0) return RTERROR;
    const cadhost::Ucs ucs = cadhost::currentUcs();
    double world[3];
    if (source == 1)
        cadhost::ucsToWorld(ucs, pt, disp != 0, world);
    else
        ads_point_set(pt, world);
    if (target == 1)
        cadhost::worldToUcs(ucs, world, disp != 0, result);
    else
        ads_point_set(world, result);
    return RTNORM;
}
