// The drawing view on the big benchmark drawing (VIEW_BENCH_DXF, made by
// run.sh): open and first paint at zoom extents, against opening alone;
// repaint after a zoom and a pan, through the grid and, as the peer, by
// checking every entity; one changed text repainted alone, against
// repainting the whole view.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <memory>

#include "cadhost/db/acdb_all.h"
#include "cadhost/view/drawing_scene.h"

namespace {

using cadhost::view::DrawingScene;
using cadhost::view::FontTypes;
using cadhost::view::ViewTransform;

const QSize kSize(1200, 900);

std::string bigPath() {
    const char* p = std::getenv("VIEW_BENCH_DXF");
    return p ? p : "";
}

FontTypes bundledMap() {
    FontTypes f;
    f.load(std::string(TARSIL_SOURCE_DIR) + "/resources/default.map");
    return f;
}

void paintAll(const DrawingScene& scene, const ViewTransform& view, QImage& image,
              const QRect& dirty) {
    QPainter p(&image);
    p.fillRect(dirty, DrawingScene::backgroundColor());
    scene.paint(p, view, dirty, {});
}

// One drawing and view for the repaint benchmarks, made once.
struct Loaded {
    AcDbDatabase db{false};
    std::unique_ptr<DrawingScene> scene;
    ViewTransform view;
    Loaded() {
        if (db.readDxfFile(std::filesystem::path(bigPath())) != Acad::eOk) std::abort();
        scene = std::make_unique<DrawingScene>(&db, bundledMap());
        view.size = kSize;
        view.fit(scene->extents());
        // Close enough to read the texts: about 1/40 of the drawing's width.
        view.zoomAbout(QPointF(kSize.width() / 2.0, kSize.height() / 2.0), 40);
    }
};
Loaded& loaded() {
    static Loaded* l = new Loaded;
    return *l;
}

void BM_OpenOnly(benchmark::State& state) {
    for (auto _ : state) {
        AcDbDatabase db(false);
        if (db.readDxfFile(std::filesystem::path(bigPath())) != Acad::eOk)
            state.SkipWithError("read");
        benchmark::DoNotOptimize(&db);
    }
}
BENCHMARK(BM_OpenOnly)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_OpenAndFirstPaint(benchmark::State& state) {
    const FontTypes fonts = bundledMap();
    QImage image(kSize, QImage::Format_RGB32);
    for (auto _ : state) {
        AcDbDatabase db(false);
        if (db.readDxfFile(std::filesystem::path(bigPath())) != Acad::eOk)
            state.SkipWithError("read");
        DrawingScene scene(&db, fonts);
        ViewTransform view;
        view.size = kSize;
        view.fit(scene.extents());
        paintAll(scene, view, image, image.rect());
        state.counters["entities"] = static_cast<double>(scene.itemCount());
    }
}
BENCHMARK(BM_OpenAndFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// Arg 1: through the grid; 0: every entity's bounds checked.
void BM_ZoomRepaint(benchmark::State& state) {
    Loaded& l = loaded();
    l.scene->setUseIndex(state.range(0) != 0);
    QImage image(kSize, QImage::Format_RGB32);
    ViewTransform view = l.view;
    paintAll(*l.scene, view, image, image.rect());  // outlines made once
    int step = 0;
    for (auto _ : state) {
        // In and out again about a point off the centre.
        view.zoomAbout(QPointF(300, 200), (step++ % 2) ? 1 / 1.25 : 1.25);
        paintAll(*l.scene, view, image, image.rect());
    }
    l.scene->setUseIndex(true);
}
BENCHMARK(BM_ZoomRepaint)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PanRepaint(benchmark::State& state) {
    Loaded& l = loaded();
    l.scene->setUseIndex(state.range(0) != 0);
    QImage image(kSize, QImage::Format_RGB32);
    ViewTransform view = l.view;
    paintAll(*l.scene, view, image, image.rect());
    int step = 0;
    for (auto _ : state) {
        const double d = (step++ % 20) < 10 ? 60 : -60;
        view.panBy(QPointF(d, d / 2));
        paintAll(*l.scene, view, image, image.rect());
    }
    l.scene->setUseIndex(true);
}
BENCHMARK(BM_PanRepaint)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

// Arg 1: only the changed text's box repainted; 0: the whole view.
void BM_TextChangedRepaint(benchmark::State& state) {
    Loaded& l = loaded();
    QImage image(kSize, QImage::Format_RGB32);
    paintAll(*l.scene, l.view, image, image.rect());
    // The text under the view's centre.
    const QPointF c = l.view.toWorld(QPointF(kSize.width() / 2.0, kSize.height() / 2.0));
    AcDbObjectId id;
    for (double r = 1; id.isNull() && r < 1e4; r *= 2) {
        for (AcDbObjectId hit :
             l.scene->select(QRectF(c - QPointF(r, r), c + QPointF(r, r)), true)) {
            AcDbText* t = nullptr;
            if (acdbOpenObject(t, hit, AcDb::kForRead) == Acad::eOk) {
                id = hit;
                t->close();
                break;
            }
        }
    }
    if (id.isNull()) {
        state.SkipWithError("no text in view");
        return;
    }
    const bool partial = state.range(0) != 0;
    int step = 0;
    for (auto _ : state) {
        const QRectF before = l.scene->boundsOf(id);
        AcDbText* t = nullptr;
        if (acdbOpenObject(t, id, AcDb::kForWrite) != Acad::eOk) std::abort();
        t->setTextString((step++ % 2) ? L"\x80\x81\x82 12" : L"\x82\x81\x80 3456");
        t->close();
        l.scene->entityChanged(id);
        const QRectF world = before.united(l.scene->boundsOf(id));
        const QRect dirty =
            partial ? QRectF(l.view.toScreen(world.topLeft()), l.view.toScreen(world.bottomRight()))
                          .normalized()
                          .toAlignedRect()
                          .adjusted(-2, -2, 2, 2)
                          .intersected(image.rect())
                    : image.rect();
        paintAll(*l.scene, l.view, image, dirty);
    }
}
BENCHMARK(BM_TextChangedRepaint)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (bigPath().empty()) {
        std::fprintf(stderr, "view_bench: set VIEW_BENCH_DXF (bench/cadhost_view/run.sh does)\n");
        return 2;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
