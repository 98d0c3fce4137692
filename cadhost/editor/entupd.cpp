// Entity update: what the host does when a program says an entity changed.
// A leader follows the MText it annotates: its last vertex moves to the side
// of the MText's box that faces the leader, at the middle of the first line.
#include "cadhost/db/acdb_all.h"
#include "cadhost/editor/selection.h"

namespace {

// The point where the leader meets the MText's box: on the left side when
// the leader comes from the left of the box's centre, else on the right.
bool AttachmentPointOf(AcDbObjectId mtextId, const AcGePoint3d& from, AcGePoint3d& at) {
    AcDbMText* mtext = nullptr;
    if (acdbOpenObject(mtext, mtextId, AcDb::kForRead) != Acad::eOk) return false;
    AcDbExtents box;
    const bool measured = mtext->getGeomExtents(box) == Acad::eOk;
    const double height = mtext->textHeight();
    mtext->close();
    if (!measured) return false;
    const double centre = (box.minPoint().x + box.maxPoint().x) / 2;
    at.x = from.x <= centre ? box.minPoint().x : box.maxPoint().x;
    at.y = box.maxPoint().y - height / 2;
    at.z = from.z;
    return true;
}

void FitLeaderToAnnotation(AcDbLeader* leader) {
    const int n = leader->numVertices();
    if (n < 2) return;
    const AcDbObjectId annotation = leader->annotationObjId();
    if (annotation.isNull()) return;
    const bool hook = leader->hasHookLine() && n >= 3;
    // The leader comes from the vertex before its hook line (or its last segment).
    const AcGePoint3d from = leader->vertexAt(hook ? n - 3 : n - 2);
    AcGePoint3d at;
    if (!AttachmentPointOf(annotation, from, at)) return;
    const AcGePoint3d last = leader->vertexAt(n - 1);
    if (hook) {
        // The hook line keeps its length and direction.
        const AcGePoint3d before = leader->vertexAt(n - 2);
        leader->setVertexAt(
            n - 2, AcGePoint3d(before.x + at.x - last.x, before.y + at.y - last.y, before.z));
    }
    leader->setVertexAt(n - 1, at);
}

}  // namespace

int acdbEntUpd(const ads_name ent) {
    AcDbObjectId id;
    if (ent == nullptr || acdbGetObjectId(id, ent) != Acad::eOk) return RTERROR;
    AcDbEntity* entity = nullptr;
    if (acdbOpenAcDbEntity(entity, id, AcDb::kForWrite) != Acad::eOk) return RTERROR;
    if (auto* leader = dynamic_cast<AcDbLeader*>(entity)) FitLeaderToAnnotation(leader);
    entity->draw();
    entity->close();
    return acedRedraw(ent, 1);
}
