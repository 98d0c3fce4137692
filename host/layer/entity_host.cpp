#include "host/layer/entity_host.h"

#include <cmath>

#include "cadhost/editor/cmdline.h"
#include "cadhost/editor/prompts.h"
#include "cadhost/editor/selection.h"
#include "cadhost/editor/sysvars.h"
#include "cadhost/editor/ucs.h"
#include "cadhost/rx/adsdefs.h"

namespace tarsil::layer {
namespace {

std::function<void()>& Repaint() {
    static std::function<void()> repaint;
    return repaint;
}
int repaintCount = 0;

AcGePoint3d Transform(const AcGePoint3d& point, short from, short to) {
    resbuf fromRb{};
    fromRb.restype = RTSHORT;
    fromRb.resval.rint = from;
    resbuf toRb{};
    toRb.restype = RTSHORT;
    toRb.resval.rint = to;
    ads_point in = {point.x, point.y, point.z};
    ads_point out = {point.x, point.y, point.z};
    if (acedTrans(in, &fromRb, &toRb, 0, out) != RTNORM) return point;
    return {out[0], out[1], out[2]};
}

}  // namespace

void Alert(const std::wstring& message) {
    acedAlert(message.c_str());
}

void Print(const std::wstring& message) {
    acutPrintf(L"%s", message.c_str());
}

AcDbDatabase* WorkingDatabase() {
    return acdbHostApplicationServices()->workingDatabase();
}

bool PaperSpaceIsCurrent() {
    resbuf value{};
    if (acedGetVar(L"CVPORT", &value) != RTNORM) return false;
    if (value.restype == RTSHORT) return value.resval.rint == 1;
    if (value.restype == RTLONG) return value.resval.rlong == 1;
    return false;
}

double UcsXAngle() {
    resbuf value{};
    if (acedGetVar(L"UCSXDIR", &value) != RTNORM) return 0.0;
    if (value.restype != RT3DPOINT && value.restype != RTPOINT) return 0.0;
    ads_point origin = {0.0, 0.0, 0.0};
    return acutAngle(origin, value.resval.rpoint);
}

AcGePoint3d UcsToWorld(const AcGePoint3d& point) {
    return Transform(point, 1, 0);
}

AcGePoint3d WorldToUcs(const AcGePoint3d& point) {
    return Transform(point, 0, 1);
}

int GetPoint(const AcGePoint3d* base, const wchar_t* prompt, AcGePoint3d& point) {
    ads_point basePoint = {0.0, 0.0, 0.0};
    if (base != nullptr) {
        basePoint[0] = base->x;
        basePoint[1] = base->y;
        basePoint[2] = base->z;
    }
    ads_point answer = {0.0, 0.0, 0.0};
    int status = acedGetPoint(base != nullptr ? basePoint : nullptr, prompt, answer);
    if (status == RTNORM) point = AcGePoint3d(answer[0], answer[1], answer[2]);
    return status;
}

void RedrawEntity(AcDbObjectId id, int mode) {
    ads_name name;
    if (acdbGetAdsName(name, id) != Acad::eOk) return;
    acedRedraw(name, mode);
}

void RepaintDocumentWindow() {
    ++repaintCount;
    if (Repaint()) Repaint()();
}

void SetDocumentRepaint(std::function<void()> repaint) {
    Repaint() = std::move(repaint);
}

int DocumentRepaintCount() {
    return repaintCount;
}

EntitySelection::EntitySelection() = default;

EntitySelection::~EntitySelection() {
    Free();
}

void EntitySelection::Free() {
    if (held_) acedSSFree(name_);
    held_ = false;
    name_[0] = name_[1] = 0;
}

int GetAngle(const AcGePoint3d& base, const wchar_t* prompt, double& angle) {
    ads_point basePoint = {base.x, base.y, base.z};
    ads_real answer = 0.0;
    const int status = acedGetAngle(basePoint, prompt, &answer);
    if (status == RTNORM) angle = answer;
    return status;
}

int EntitySelection::SelectOne(const wchar_t* selectPrompt, const wchar_t* removePrompt,
                               const wchar_t* entityType) {
    return Select(L":$:S", selectPrompt, removePrompt, entityType);
}

int EntitySelection::SelectMany(const wchar_t* selectPrompt, const wchar_t* removePrompt,
                                const wchar_t* entityType) {
    return Select(L":$", selectPrompt, removePrompt, entityType);
}

int EntitySelection::Select(const wchar_t* mode, const wchar_t* selectPrompt,
                            const wchar_t* removePrompt, const wchar_t* entityType) {
    Free();
    const ACHAR* prompts[2] = {selectPrompt, removePrompt};
    resbuf filter{};
    filter.restype = 0;
    filter.resval.rstring = const_cast<ACHAR*>(entityType);
    ads_name picked = {0, 0};
    int status = acedSSGet(mode, prompts, nullptr, &filter, picked);
    if (status == RTNORM) {
        name_[0] = picked[0];
        name_[1] = picked[1];
        held_ = true;
    }
    return status;
}

void EntitySelection::Clear() {
    Free();
}

void EntitySelection::Add(AcDbObjectId id) {
    ads_name entity;
    if (acdbGetAdsName(entity, id) != Acad::eOk) return;
    ads_name result = {0, 0};
    if (!held_) {
        if (acedSSAdd(entity, nullptr, result) != RTNORM) return;
        name_[0] = result[0];
        name_[1] = result[1];
        held_ = true;
        return;
    }
    acedSSAdd(entity, name_, result);
}

std::vector<AcDbObjectId> EntitySelection::Ids() const {
    std::vector<AcDbObjectId> ids;
    if (!held_) return ids;
    std::int32_t length = 0;
    if (acedSSLength(name_, &length) != RTNORM) return ids;
    for (std::int32_t i = 0; i < length; ++i) {
        ads_name entity;
        AcDbObjectId id;
        if (acedSSName(name_, i, entity) == RTNORM && acdbGetObjectId(id, entity) == Acad::eOk)
            ids.push_back(id);
    }
    return ids;
}

bool EntitySelection::empty() const {
    return Ids().empty();
}

}  // namespace tarsil::layer
