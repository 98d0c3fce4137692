#pragma once

// Small drawings written as R12 DXF text, so that each test states exactly
// which entities, layers and blocks it draws; the larger ones are files.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "cadhost/db/acdb_all.h"
#include "cadhost/db/store.h"
#include "cadhost/view/drawing_scene.h"

namespace cadhost_view_test {

// Groups written compactly as "code|value|code|value...", each "{}" taking
// the next argument; the DXF lines are those fields one to a line.
template <class... Args>
std::string groups(std::string text, const Args&... args) {
    std::size_t at = 0;
    for (const std::string& value : std::vector<std::string>{args...}) {
        at = text.find("{}", at);
        text.replace(at, 2, value);
        at += value.size();
    }
    std::replace(text.begin(), text.end(), '|', '\n');
    return text + "\n";
}
template <class T>
std::string num(T v) {
    return std::to_string(v);
}

struct Drawing {
    std::string header = groups("9|$ACADVER|1|AC1009|9|$DWGCODEPAGE|3|ANSI_1255|9|$TILEMODE|70|1");
    std::string layers;
    std::string blocks;
    std::string entities;

    Drawing& layer(const std::string& name, int color, int flags = 0) {
        layers += groups("0|LAYER|2|{}|70|{}|62|{}|6|CONTINUOUS", name, num(flags), num(color));
        return *this;
    }
    std::string dxf() const {
        return groups(
            "0|SECTION|2|HEADER|{}0|ENDSEC|0|SECTION|2|TABLES|0|TABLE|2|LAYER|70|1|"
            "0|LAYER|2|0|70|0|62|7|6|CONTINUOUS|{}0|ENDTAB|0|TABLE|2|STYLE|70|1|"
            "0|STYLE|2|STANDARD|70|0|40|0.0|41|1.0|50|0.0|71|0|42|2.5|3|txt|4||"
            "0|ENDTAB|0|ENDSEC|0|SECTION|2|BLOCKS|{}0|ENDSEC|"
            "0|SECTION|2|ENTITIES|{}0|ENDSEC|0|EOF",
            header, layers, blocks, entities);
    }
};

inline std::string line(double x0, double y0, double x1, double y1,
                        const std::string& layer = "0") {
    return groups("0|LINE|8|{}|10|{}|20|{}|11|{}|21|{}", layer, num(x0), num(y0), num(x1), num(y1));
}
inline std::string circle(double x, double y, double r, const std::string& layer = "0") {
    return groups("0|CIRCLE|8|{}|10|{}|20|{}|40|{}", layer, num(x), num(y), num(r));
}
inline std::string text(double x, double y, double h, const std::string& s,
                        const std::string& style = "STANDARD", const std::string& layer = "0") {
    return groups("0|TEXT|8|{}|10|{}|20|{}|40|{}|1|{}|7|{}", layer, num(x), num(y), num(h), s,
                  style);
}

// Every entity id of model space in drawing order.
inline std::vector<AcDbObjectId> entities(AcDbDatabase& db) {
    return db.store_().entitiesOf(db.store_().modelSpace());
}

inline void load(AcDbDatabase& db, const Drawing& d) {
    ASSERT_EQ(db.readDxfBuffer(d.dxf(), "test.dxf"), Acad::eOk) << db.lastErrorMessage();
}

// The application object painting and glyph outlines need, made once.
inline void needGui() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "cadhost_view_test";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
}

// One drawing opened in a scene (with no font map unless given one).
class SceneFixture : public ::testing::Test {
  protected:
    void open(const Drawing& d, cadhost::view::FontTypes fonts = {}) {
        load(db, d);
        ids = entities(db);
        scene = std::make_unique<cadhost::view::DrawingScene>(&db, std::move(fonts));
    }
    // A drawing of tests/data/view, whose first line says what it holds.
    void open(const std::string& file, cadhost::view::FontTypes fonts = {}) {
        const std::string path = std::string(TARSIL_SOURCE_DIR) + "/tests/data/view/" + file;
        ASSERT_EQ(db.readDxfFile(std::filesystem::path(path)), Acad::eOk) << db.lastErrorMessage();
        ids = entities(db);
        scene = std::make_unique<cadhost::view::DrawingScene>(&db, std::move(fonts));
    }
    AcDbDatabase db{false};
    std::vector<AcDbObjectId> ids;
    std::unique_ptr<cadhost::view::DrawingScene> scene;
};

}  // namespace cadhost_view_test
