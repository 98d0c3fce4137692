// viewrender: draws a drawing's current space into a PNG file, as the
// host's window shows it at zoom extents.  With --times it reports how long
// opening, building the view and painting took.
#include <CLI/CLI.hpp>
#include <QGuiApplication>
#include <QImage>
#include <chrono>
#include <cstdio>
#include <filesystem>

#include "cadhost/db/acdb_all.h"
#include "cadhost/view/drawing_scene.h"

namespace {
double since(std::chrono::steady_clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}
}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Draws a drawing into a PNG file"};
    std::string drawing, out, map;
    int width = 1200, height = 900;
    bool times = false;
    app.add_option("drawing", drawing, "DXF drawing")->required();
    app.add_option("png", out, "PNG file to write")->required();
    app.add_option("--width", width, "Image width in pixels")->check(CLI::Range(16, 16384));
    app.add_option("--height", height, "Image height in pixels")->check(CLI::Range(16, 16384));
    app.add_option("--map", map, "Font map file (default: found beside the support folder)");
    app.add_flag("--times", times, "Print the milliseconds each step took");
    CLI11_PARSE(app, argc, argv);

    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen"
                                                                    : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication qapp(argc, argv);
    const auto t0 = std::chrono::steady_clock::now();
    AcDbDatabase db(false);
    if (db.readDxfFile(std::filesystem::path(drawing)) != Acad::eOk) {
        std::fprintf(stderr, "viewrender: %s\n", db.lastErrorMessage().c_str());
        return 1;
    }
    const double openMs = since(t0);
    cadhost::view::FontTypes fonts;
    std::filesystem::path mapFile = map;
    if (mapFile.empty())
        mapFile = cadhost::view::FontTypes::find({std::filesystem::path(CADHOST_SUPPORT_DIR)});
    if (!mapFile.empty() && !fonts.load(mapFile)) {
        std::fprintf(stderr, "viewrender: cannot read the font map %s\n", mapFile.c_str());
        return 1;
    }
    const auto t1 = std::chrono::steady_clock::now();
    cadhost::view::DrawingScene scene(&db, fonts);
    const double buildMs = since(t1);

    cadhost::view::ViewTransform view;
    view.size = QSize(width, height);
    view.fit(scene.extents());
    QImage image(view.size, QImage::Format_RGB32);
    const auto t2 = std::chrono::steady_clock::now();
    image.fill(cadhost::view::DrawingScene::backgroundColor());
    {
        QPainter painter(&image);
        scene.paint(painter, view, image.rect(), {});
    }
    const double paintMs = since(t2);
    if (!image.save(QString::fromStdString(out), "PNG")) {
        std::fprintf(stderr, "viewrender: cannot write %s\n", out.c_str());
        return 1;
    }
    if (times)
        std::printf("open %.1f ms, view %.1f ms, first paint %.1f ms, total %.1f ms, %zu entities\n",
                    openMs, buildMs, paintMs, since(t0), scene.itemCount());
    return 0;
}
