#include "cadhost/gui/zoom_command.h"

#include <QRectF>

#include "cadhost/editor/cmdline.h"
#include "cadhost/editor/commandstack.h"
#include "cadhost/editor/input.h"
#include "cadhost/editor/prompt_context.h"
#include "cadhost/editor/prompts.h"
#include "cadhost/editor/ucs.h"
#include "cadhost/gui/drawing_view.h"
#include "cadhost/rx/wide.h"

namespace cadhost::gui {
namespace {
QPointF world(const ads_point ucs) {
    double w[3];
    ucsToWorld(currentUcs(), ucs, false, w);
    return {w[0], w[1]};
}

void zoomWindow(DrawingView* view, const ads_point first) {
    ads_point second;
    if (acedGetCorner(first, L"Specify opposite corner: ", second) != RTNORM) return;
    view->zoomWindow(QRectF(world(first), world(second)).normalized());
}

void zoom(DrawingView* view) {
    for (;;) {
        InputLine in;
        {
            const PromptScope scope(PromptKind::Point);
            in = promptInput(L"Specify corner of window or [All/Extents/Window] <Extents>: ");
        }
        if (in.kind != InputLine::Text) return;
        const std::wstring word = asciiUpper(trim(in.text));
        if (word.empty() || word == L"E" || word == L"EXTENTS" || word == L"A" || word == L"ALL") {
            view->zoomExtents();
            return;
        }
        if (word == L"W" || word == L"WINDOW") {
            ads_point first;
            if (acedGetPoint(nullptr, L"Specify first corner: ", first) != RTNORM) return;
            zoomWindow(view, first);
            return;
        }
        if (ads_point first; resolveTypedPoint(word, nullptr, first)) {
            zoomWindow(view, first);
            return;
        }
        writeCommandLine(L"Point or option keyword required.\n");
    }
}
}  // namespace

void registerZoomCommand(DrawingView* view) {
    addHostCommand(L"ZOOM", [view] {
        if (view == nullptr) {
            writeCommandLine(L"ZOOM needs the drawing window (cadhost --gui).\n");
            return;
        }
        zoom(view);
    });
}

}  // namespace cadhost::gui
