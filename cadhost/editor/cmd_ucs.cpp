// The UCS command: a new origin and X axis, a rotation about Z, or back to world.
#include <cmath>

#include "cadhost/editor/cmdline.h"
#include "cadhost/editor/commandstack.h"
#include "cadhost/editor/host.h"
#include "cadhost/editor/input.h"
#include "cadhost/editor/parse.h"
#include "cadhost/editor/prompt_context.h"
#include "cadhost/editor/prompts.h"
#include "cadhost/editor/ucs.h"
#include "cadhost/rx/wide.h"

namespace cadhost {
namespace {
void rotateAboutZ() {
    ads_real angle = M_PI / 2;
    const int rc = acedGetAngle(nullptr, L"Specify rotation angle about Z axis <90>: ", &angle);
    if (rc == RTCAN) return;
    Ucs ucs = currentUcs();
    ucs.angle = std::remainder(ucs.angle + angle, 2 * M_PI);
    setCurrentUcs(ucs);
}

// The typed origin (current user coordinates), then an optional X-axis point.
void newOrigin(const std::wstring& typed) {
    const Ucs before = currentUcs();
    const auto p = parsePoint(typed);
    double origin[3] = {p->xyz[0], p->xyz[1], p->xyz[2]};
    ads_point xPoint;
    const int rc = acedGetPoint(origin, L"Specify point on X-axis or <Accept>: ", xPoint);
    if (rc == RTCAN) return;
    Ucs ucs = before;
    ucsToWorld(before, origin, false, ucs.origin);
    if (rc == RTNORM) {
        double worldX[3];
        ucsToWorld(before, xPoint, false, worldX);
        if (std::hypot(worldX[0] - ucs.origin[0], worldX[1] - ucs.origin[1]) > 0)
            ucs.angle = std::atan2(worldX[1] - ucs.origin[1], worldX[0] - ucs.origin[0]);
    }
    setCurrentUcs(ucs);
}
}  // namespace

void registerUcsCommand() {
    addHostCommand(L"UCS", [] {
        const PromptScope scope(PromptKind::Point);
        for (;;) {
            const InputLine in = promptInput(L"Specify origin of UCS or [World/Z] <World>: ");
            if (in.kind != InputLine::Text) return;
            const std::wstring word = asciiUpper(trim(in.text));
            if (word.empty() || word == L"W" || word == L"WORLD") {
                setCurrentUcs(Ucs{});
                return;
            }
            if (word == L"Z") {
                rotateAboutZ();
                return;
            }
            if (auto p = parsePoint(word); p && !p->relative) {
                newOrigin(word);
                return;
            }
            writeCommandLine(L"Point or option keyword required.\n");
        }
    });
}

}  // namespace cadhost
