#pragma once

// Selection sets and entity names, and the selection prompt.
#include <cstdint>
#include <string>
#include <vector>

#include "cadhost/db/acdb.h"
#include "cadhost/db/objectid.h"
#include "cadhost/geom/gepoint.h"
#include "cadhost/rx/adsdefs.h"

class AcDbDatabase;

// Modes: none (prompt "Select objects: "), ":$" with pt1 an array of two
// prompts (select, remove), ":S" one pick, combined ":$:S"; "X" the whole
// drawing, "C" and "W" windows from pt1 to pt2 (user coordinates), "I" the
// pick-first set, "P" the previous set, "L" the last entity.  filter: a
// result-buffer list; group 0 (entity types, "," separated, "*" and "?"
// wildcards) and group 8 (layer names) are honoured.
// RTNORM with a set, RTERROR when nothing was selected (Enter at once
// included), RTCAN on Escape.
int acedSSGet(const ACHAR* str, const void* pt1, const void* pt2, const resbuf* filter,
              ads_name ss);
int acedSSLength(const ads_name sname, std::int32_t* len);
int acedSSName(const ads_name ss, std::int32_t i, ads_name entres);
// Both names null: a new empty set; only ename: a new set with it; both:
// ename is added to sname, which is the result.
int acedSSAdd(const ads_name ename, const ads_name sname, ads_name result);
int acedSSDel(const ads_name ename, const ads_name ss);
int acedSSFree(const ads_name sname);
// Makes the set the pick-first selection; null clears it.
int acedSSSetFirst(const ads_name pset, const ads_name unused);
int acedSSGetFirst(resbuf** gset, resbuf** pset);
int acedRedraw(const ads_name ent, int mode);
int acdbEntLast(ads_name result);
// Brings an entity's display up to date after its data changed.  A leader
// whose annotation is an MText is fitted to it again first (entupd.cpp).
int acdbEntUpd(const ads_name ent);

Acad::ErrorStatus acdbGetAdsName(ads_name& objName, AcDbObjectId objId);
Acad::ErrorStatus acdbGetObjectId(AcDbObjectId& objId, const ads_name objName);

namespace cadhost {
// The pick-first set, as ids.
std::vector<AcDbObjectId> pickfirstIds();
void setPickfirst(const std::vector<AcDbObjectId>& ids);
// A new selection set holding the ids; release it with acedSSFree.
void makeSelectionSet(const std::vector<AcDbObjectId>& ids, ads_name ss);
std::vector<AcDbObjectId> selectionSetIds(const ads_name ss);
int openSelectionSets();
// Entity names and sets of a closing drawing go with it.
void forgetDatabase(const AcDbDatabase* db);
// An entity of the working drawing by its handle text ("2A"), wherever it
// lives; null id if none.  Prompts use the current space only.
AcDbObjectId entityByHandle(const std::wstring& handle);
// The block table record the user works in: paper space while the paper
// viewport is current ("CVPORT" 1), else model space.  Selections offer
// its entities and TEXT adds to it.
AcDbObjectId currentSpace();
// The entity an answer names, as a double-click could hit it: the handle of
// an entity of the current space or of an attribute of one of its block
// references, or a point typed on an entity (user system).  pickedWorld, if
// given, gets the point in world coordinates, or the entity's lower left
// corner when it was named by handle.
AcDbObjectId entityByAnswer(const std::wstring& answer, AcGePoint3d* pickedWorld = nullptr);
// Whether the entity's layer is locked (it opens for read only).
bool entityOnLockedLayer(AcDbObjectId id);
// How many times acedRedraw was asked (the display of a window counts on it).
int redrawCount();
// Whether acedRedraw left the entity highlighted (mode 3, until 4 or 2).
bool isHighlighted(AcDbObjectId id);
// The entities of the drawing; the last one appended.
AcDbObjectId lastEntity();
}  // namespace cadhost
