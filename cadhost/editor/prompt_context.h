#pragma once

// What the prompt now waiting for an answer asks for.  A window reads it to
// turn a mouse click into the answer it stands for: coordinates at a point
// prompt, an entity at a selection prompt, nothing at a text prompt.
#include <vector>

#include "cadhost/db/objectid.h"

namespace cadhost {

enum class PromptKind {
    Text,       // a string, a number, a keyword: the mouse has nothing to say
    Command,    // "Command: ": clicks make the pick-first set
    Point,      // a point, or a second point from `base`
    Corner,     // the opposite corner of a window from `base`
    Selection,  // "Select objects: " and its kin
    Entity,     // one entity, by handle or by a point on it
};

struct PromptContext {
    PromptKind kind = PromptKind::Text;
    bool hasBase = false;
    double base[3] = {0, 0, 0};  // user coordinates
    // At a selection prompt: what is selected so far, to be shown highlighted.
    const std::vector<AcDbObjectId>* chosen = nullptr;
};

// The innermost prompt being asked; a plain Text context when none is.
const PromptContext& currentPrompt();

// Declares the kind of the prompts asked during its life; scopes nest.
class PromptScope {
  public:
    explicit PromptScope(PromptKind kind, const double* base = nullptr,
                         const std::vector<AcDbObjectId>* chosen = nullptr);
    ~PromptScope();
    PromptScope(const PromptScope&) = delete;
    PromptScope& operator=(const PromptScope&) = delete;
};

}  // namespace cadhost
