#include "cadhost/editor/prompt_context.h"

namespace cadhost {
namespace {
std::vector<PromptContext>& stack() {
    static auto* s = new std::vector<PromptContext>();
    return *s;
}
}  // namespace

const PromptContext& currentPrompt() {
    static const PromptContext plain;
    return stack().empty() ? plain : stack().back();
}

PromptScope::PromptScope(PromptKind kind, const double* base,
                         const std::vector<AcDbObjectId>* chosen) {
    PromptContext c;
    c.kind = kind;
    c.chosen = chosen;
    if (base != nullptr) {
        c.hasBase = true;
        for (int i = 0; i < 3; ++i) c.base[i] = base[i];
    }
    stack().push_back(c);
}

PromptScope::~PromptScope() {
    stack().pop_back();
}

}  // namespace cadhost
