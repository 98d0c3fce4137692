#include "cadhost/editor/prompts.h"

#include <cmath>
#include <cwchar>
#include <optional>

#include "cadhost/editor/cmdline.h"
#include "cadhost/editor/input.h"
#include "cadhost/editor/parse.h"
#include "cadhost/editor/prompt_context.h"
#include "cadhost/editor/sysvars.h"
#include "cadhost/editor/ucs.h"
#include "cadhost/rx/wide.h"

namespace {
std::wstring promptText(const ACHAR* prompt) {
    return prompt != nullptr ? prompt : L"";
}

// The last point, in the user system (it is kept in world coordinates).
void lastPointUcs(ads_point out) {
    double world[3] = {0, 0, 0};
    if (auto v = cadhost::getVar(L"LASTPOINT")) ads_point_set(v->point, world);
    cadhost::worldToUcs(cadhost::currentUcs(), world, false, out);
}

void rememberPoint(const ads_point ucsPoint) {
    double world[3];
    cadhost::ucsToWorld(cadhost::currentUcs(), ucsPoint, false, world);
    cadhost::setVarInternal(L"LASTPOINT", cadhost::VarValue::ofPoint(world[0], world[1], world[2]));
}

// Asks until an answer is taken: Enter gives RTNONE, Escape RTCAN; answer
// gets the trimmed text and returns a final status, or 0 to have the
// complaint printed and the prompt asked again.
template <class Answer>
int promptUntil(const ACHAR* prompt, const wchar_t* complaint, Answer answer) {
    for (;;) {
        const cadhost::InputLine in = cadhost::promptInput(promptText(prompt));
        if (in.kind != cadhost::InputLine::Text) return RTCAN;
        const std::wstring text = cadhost::trim(in.text);
        if (text.empty()) return RTNONE;
        if (const int rc = answer(text); rc != 0) return rc;
        cadhost::writeCommandLine(complaint);
    }
}

int getPoint(const double* base, const ACHAR* prompt, ads_point result,
             cadhost::PromptKind kind = cadhost::PromptKind::Point) {
    const cadhost::PromptScope scope(kind, base);
    return promptUntil(prompt, L"Point or option keyword required.\n",
                       [&](const std::wstring& text) {
                           if (!cadhost::resolveTypedPoint(text, base, result)) return 0;
                           rememberPoint(result);
                           return RTNORM;
                       });
}

}  // namespace

namespace cadhost {
// A typed point made absolute against the base (or the last point).
bool resolveTypedPoint(const std::wstring& text, const double* base, ads_point out) {
    const auto typed = parsePoint(text);
    if (!typed) return false;
    if (typed->relative) {
        ads_point from;
        if (base != nullptr)
            ads_point_set(base, from);
        else
            lastPointUcs(from);
        for (int i = 0; i < 3; ++i) out[i] = from[i] + typed->xyz[i];
    } else {
        ads_point_set(typed->xyz, out);
    }
    return true;
}
}  // namespace cadhost

int acedGetPoint(const ads_point pt, const ACHAR* prompt, ads_point result) {
    if (result == nullptr) return RTERROR;
    return getPoint(pt, prompt, result);
}

int acedGetCorner(const ads_point pt, const ACHAR* prompt, ads_point result) {
    if (pt == nullptr || result == nullptr) return RTERROR;
    return getPoint(pt, prompt, result, cadhost::PromptKind::Corner);
}

int acedGetAngle(const ads_point pt, const ACHAR* prompt, ads_real* result) {
    if (result == nullptr) return RTERROR;
    const cadhost::PromptScope scope(cadhost::PromptKind::Point, pt);
    return promptUntil(prompt, L"Requires valid numeric angle or second point.\n",
                       [&](const std::wstring& text) {
                           if (auto degrees = cadhost::parseReal(text)) {
                               double a = std::fmod(*degrees * M_PI / 180.0, 2 * M_PI);
                               if (a < 0) a += 2 * M_PI;
                               *result = a;
                               return RTNORM;
                           }
                           ads_point second;
                           if (pt == nullptr || !cadhost::resolveTypedPoint(text, pt, second))
                               return 0;
                           *result = acutAngle(pt, second);
                           return RTNORM;
                       });
}

int acedGetDist(const ads_point pt, const ACHAR* prompt, ads_real* result) {
    if (result == nullptr) return RTERROR;
    const cadhost::PromptScope scope(cadhost::PromptKind::Point, pt);
    return promptUntil(prompt, L"Requires numeric distance or two points.\n",
                       [&](const std::wstring& text) {
                           if (auto value = cadhost::parseReal(text)) {
                               *result = std::fabs(*value);
                               return RTNORM;
                           }
                           ads_point first;
                           if (!cadhost::resolveTypedPoint(text, pt, first)) return 0;
                           if (pt != nullptr) {
                               *result = acutDistance(pt, first);
                               return RTNORM;
                           }
                           ads_point second;
                           const int rc = getPoint(first, L"Specify second point: ", second);
                           if (rc != RTNORM) return rc == RTNONE ? RTCAN : rc;
                           *result = acutDistance(first, second);
                           return RTNORM;
                       });
}

int acedGetReal(const ACHAR* prompt, ads_real* result) {
    if (result == nullptr) return RTERROR;
    const cadhost::PromptScope scope(cadhost::PromptKind::Text);
    return promptUntil(prompt, L"Requires numeric value.\n", [&](const std::wstring& text) {
        const auto value = cadhost::parseReal(text);
        if (!value) return 0;
        *result = *value;
        return RTNORM;
    });
}

int acedGetInt(const ACHAR* prompt, int* result) {
    if (result == nullptr) return RTERROR;
    const cadhost::PromptScope scope(cadhost::PromptKind::Text);
    return promptUntil(prompt, L"Requires an integer value.\n", [&](const std::wstring& text) {
        const auto value = cadhost::parseInteger(text);
        // The host's integers are 16-bit.
        if (!value || *value < -32768 || *value > 32767) return 0;
        *result = static_cast<int>(*value);
        return RTNORM;
    });
}

int acedGetString(int /*cronly*/, const ACHAR* prompt, ACHAR* result, std::size_t bufLen) {
    if (result == nullptr || bufLen == 0) return RTERROR;
    const cadhost::PromptScope scope(cadhost::PromptKind::Text);
    const cadhost::InputLine in = cadhost::promptInput(promptText(prompt));
    if (in.kind != cadhost::InputLine::Text) return RTCAN;
    if (in.text.size() + 1 > bufLen) return RTINPUTTRUNCATED;
    std::wmemcpy(result, in.text.c_str(), in.text.size() + 1);
    return RTNORM;
}
