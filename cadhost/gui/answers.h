#pragma once

// What a mouse gesture says at a prompt, written as the line a user would
// type for it, so that clicking and typing reach the host the same way.
#include <QPointF>
#include <string>
#include <vector>

#include "cadhost/db/objectid.h"

namespace cadhost::gui {

// A point of the drawing's plane (world) as typed coordinates in the
// current user system, exact enough to read back to the same doubles.
std::string pointAnswer(QPointF world);
// An entity by its handle, as a selection prompt takes it.
std::string handleAnswer(AcDbObjectId id);
// A window drawn from one corner to the other: the option, then the corners.
std::vector<std::string> windowAnswers(QPointF firstWorld, QPointF secondWorld, bool crossing);

}  // namespace cadhost::gui
