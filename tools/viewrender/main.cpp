// viewrender: draws a drawing's current space into a PNG file, as the
// host's window shows it at zoom extents.  With --times it reports how long
// opening, building the view and painting took.
#include <CLI/CLI.hpp>
#include <QGuiApplication>
#include <QImage>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>

#include "cadhost/db/acdb_all.h"
#include "cadhost/view/drawing_scene.h"

namespace {
// Wall and processor milliseconds since a start: on a machine shared with
// other work the processor time is the steadier of the two.
struct Clock {
    std::chrono::steady_clock::time_point wall = std::chrono::steady_clock::now();
    std::clock_t cpu = std::clock();
    std::string since() const {
        const double w =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - wall)
                .count();
        const double c = 1000.0 * static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC;
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.1f ms (%.1f CPU)", w, c);
        return buf;
    }
};
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
    app.add_option(
        "--map", map,
        "Font map file (default: the one the settings name, else found beside the support folder)");
    app.add_flag("--times", times, "Print the milliseconds each step took");
    CLI11_PARSE(app, argc, argv);

    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication qapp(argc, argv);
    const Clock t0;
    AcDbDatabase db(false);
    if (db.readDxfFile(std::filesystem::path(drawing)) != Acad::eOk) {
        std::fprintf(stderr, "viewrender: %s\n", db.lastErrorMessage().c_str());
        return 1;
    }
    const std::string openMs = t0.since();
    cadhost::view::FontTypes fonts;
    std::filesystem::path mapFile = map;
    if (mapFile.empty())
        mapFile = cadhost::view::FontTypes::inUse({std::filesystem::path(CADHOST_SUPPORT_DIR)});
    if (!mapFile.empty() && !fonts.load(mapFile)) {
        std::fprintf(stderr, "viewrender: cannot read the font map %s\n", mapFile.c_str());
        return 1;
    }
    const Clock t1;
    cadhost::view::DrawingScene scene(&db, fonts);
    const std::string buildMs = t1.since();

    cadhost::view::ViewTransform view;
    view.size = QSize(width, height);
    view.fit(scene.extents());
    QImage image(view.size, QImage::Format_RGB32);
    const Clock t2;
    image.fill(cadhost::view::DrawingScene::backgroundColor());
    {
        QPainter painter(&image);
        scene.paint(painter, view, image.rect(), {});
    }
    const std::string paintMs = t2.since();
    if (!image.save(QString::fromStdString(out), "PNG")) {
        std::fprintf(stderr, "viewrender: cannot write %s\n", out.c_str());
        return 1;
    }
    if (times)
        std::printf("open %s, view %s, first paint %s, total %s, %zu entities\n", openMs.c_str(),
                    buildMs.c_str(), paintMs.c_str(), t0.since().c_str(), scene.itemCount());
    return 0;
}
