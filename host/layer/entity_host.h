// The host services that the text entity operations use: messages, system
// variables, the user coordinate system, point prompts, redraws and
// selection sets.  Everything here is a thin call into the host's own
// interface, so that the operations above read as plain logic.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cadhost/db/acdb_all.h"

namespace tarsil::layer {

// Result codes of the host's prompts.
inline constexpr int kPromptOk = 5100;
inline constexpr int kPromptNone = 5000;
inline constexpr int kPromptError = -5001;
inline constexpr int kPromptCancel = -5002;

// A message box (the host's alert).
void Alert(const std::wstring& message);
// A line on the host's command line, printed as it is.
void Print(const std::wstring& message);

AcDbDatabase* WorkingDatabase();

// True when the system variable "CVPORT" is 1: new text goes to paper space.
bool PaperSpaceIsCurrent();
// Angle of the current user coordinate system's X axis, in the world XY
// plane ("UCSXDIR" seen from the origin), radians.
double UcsXAngle();

AcGePoint3d UcsToWorld(const AcGePoint3d& point);
AcGePoint3d WorldToUcs(const AcGePoint3d& point);

// Asks for a point; base (user coordinates) may be null.  The host's status
// comes back (kPromptOk with point in user coordinates).
int GetPoint(const AcGePoint3d* base, const wchar_t* prompt, AcGePoint3d& point);
// Asks for an angle (radians) with a base point in user coordinates; the
// host's status comes back (kPromptNone when the user just pressed Enter).
int GetAngle(const AcGePoint3d& base, const wchar_t* prompt, double& angle);

// Redraw modes of the host's entity redraw.
inline constexpr int kRedrawHighlight = 3;
inline constexpr int kRedrawUnhighlight = 4;
void RedrawEntity(AcDbObjectId id, int mode);

// Repaints the document window without erasing it.  A window-owning part
// installs the repaint; without one nothing happens beyond counting.
void RepaintDocumentWindow();
void SetDocumentRepaint(std::function<void()> repaint);
int DocumentRepaintCount();

// A host selection set of entities, freed with the object.
class EntitySelection {
  public:
    EntitySelection();
    ~EntitySelection();
    EntitySelection(const EntitySelection&) = delete;
    EntitySelection& operator=(const EntitySelection&) = delete;

    // Asks the user to pick one entity of the given type ("INSERT", ...)
    // with the host's prompt mode ":$:S".  Replaces the set; returns the
    // host's status.
    int SelectOne(const wchar_t* selectPrompt, const wchar_t* removePrompt,
                  const wchar_t* entityType);
    // The same with prompt mode ":$": any number of entities.
    int SelectMany(const wchar_t* selectPrompt, const wchar_t* removePrompt,
                   const wchar_t* entityType);
    void Clear();
    void Add(AcDbObjectId id);
    std::vector<AcDbObjectId> Ids() const;
    bool empty() const;

  private:
    int Select(const wchar_t* mode, const wchar_t* selectPrompt, const wchar_t* removePrompt,
               const wchar_t* entityType);
    void Free();
    std::int64_t name_[2] = {0, 0};
    bool held_ = false;
};

}  // namespace tarsil::layer
