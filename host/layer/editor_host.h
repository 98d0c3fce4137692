// Host services the MText and dimension editors use beyond the text entity
// operations: the undo group around a dialog, "CMDECHO" kept quiet while
// it is open, the drawing's current text style and size, a crossing
// selection and the host's entity update.
#pragma once

#include <vector>

#include "cadhost/db/acdb_all.h"

namespace tarsil::layer {

// Runs the host's UNDO with one answer: "G" opens a group, "E" ends it,
// "1" takes back the last group.
void RunUndo(const wchar_t* answer);

// "CMDECHO" set to 0 for the object's life and put back after.
class QuietCommandEcho {
  public:
    QuietCommandEcho();
    ~QuietCommandEcho();
    QuietCommandEcho(const QuietCommandEcho&) = delete;
    QuietCommandEcho& operator=(const QuietCommandEcho&) = delete;

  private:
    short saved_ = 0;
    bool read_ = false;
};

// The drawing's current text style and size ("TEXTSTYLE", "TEXTSIZE").
AcDbObjectId CurrentTextStyle();
double CurrentTextSize();

// The entities of a type ("LEADER") crossing the world rectangle min..max.
std::vector<AcDbObjectId> SelectCrossing(const AcGePoint3d& min, const AcGePoint3d& max,
                                         const wchar_t* entityType);

// The host's entity update (a leader is fitted to its annotation again).
void UpdateEntity(AcDbObjectId id);

}  // namespace tarsil::layer
