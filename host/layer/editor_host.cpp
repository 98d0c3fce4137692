#include "host/layer/editor_host.h"

#include "cadhost/editor/commandstack.h"
#include "cadhost/editor/prompts.h"
#include "cadhost/editor/selection.h"
#include "cadhost/editor/sysvars.h"
#include "cadhost/rx/adsdefs.h"
#include "host/layer/entity_host.h"

namespace tarsil::layer {

void RunUndo(const wchar_t* answer) {
    acedCommandS(RTSTR, L"UNDO", RTSTR, answer, RTNONE);
}

QuietCommandEcho::QuietCommandEcho() {
    resbuf value{};
    if (acedGetVar(L"CMDECHO", &value) == RTNORM && value.restype == RTSHORT) {
        saved_ = value.resval.rint;
        read_ = true;
    }
    resbuf quiet{};
    quiet.restype = RTSHORT;
    quiet.resval.rint = 0;
    acedSetVar(L"CMDECHO", &quiet);
}

QuietCommandEcho::~QuietCommandEcho() {
    if (!read_) return;
    resbuf value{};
    value.restype = RTSHORT;
    value.resval.rint = saved_;
    acedSetVar(L"CMDECHO", &value);
}

AcDbObjectId CurrentTextStyle() {
    AcDbDatabase* db = WorkingDatabase();
    return db != nullptr ? db->textstyle() : AcDbObjectId();
}

double CurrentTextSize() {
    AcDbDatabase* db = WorkingDatabase();
    return db != nullptr ? db->textsize() : 0.0;
}

std::vector<AcDbObjectId> SelectCrossing(const AcGePoint3d& min, const AcGePoint3d& max,
                                         const wchar_t* entityType) {
    const AcGePoint3d from = WorldToUcs(min);
    const AcGePoint3d to = WorldToUcs(max);
    ads_point p1 = {from.x, from.y, from.z};
    ads_point p2 = {to.x, to.y, to.z};
    resbuf filter{};
    filter.restype = 0;
    filter.resval.rstring = const_cast<ACHAR*>(entityType);
    ads_name set = {0, 0};
    if (acedSSGet(L"C", p1, p2, &filter, set) != RTNORM) return {};
    std::vector<AcDbObjectId> ids = cadhost::selectionSetIds(set);
    acedSSFree(set);
    return ids;
}

void UpdateEntity(AcDbObjectId id) {
    ads_name name;
    if (acdbGetAdsName(name, id) == Acad::eOk) acdbEntUpd(name);
}

}  // namespace tarsil::layer
