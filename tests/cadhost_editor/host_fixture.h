#pragma once

// A fresh in-process host for each test: output captured, input queued,
// one new drawing open.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cadhost/apdoc/docmanager.h"
#include "cadhost/db/acdb_all.h"
#include "cadhost/editor/cmdline.h"
#include "cadhost/editor/host.h"
#include "cadhost/editor/input.h"
#include "cadhost/rx/wide.h"
#include "tests/fonts/test_support.h"

using tarsil::ReadBytes;

// A drawing of the corpus by its name.
inline std::string corpusDrawing(const std::string& name) {
    return std::string(TARSIL_SOURCE_DIR) + "/tests/data/drawings/" + name;
}

class HostTest : public ::testing::Test {
  protected:
    void SetUp() override {
        cadhost::resetHost();
        cadhost::setCommandLineSink([this](const std::wstring& s) { out += s; });
        cadhost::setInputReader(nullptr, false);
        acDocManagerPtr()->newDocument();
        out.clear();
    }
    void TearDown() override {
        cadhost::resetHost();
        cadhost::setCommandLineSink({});
    }

    void type(std::initializer_list<std::wstring> lines) {
        for (const auto& l : lines) cadhost::pushInput(l);
    }
    // Runs the command loop over the given lines.
    void run(const std::vector<std::wstring>& lines) {
        for (const auto& l : lines) cadhost::pushInput(l);
        cadhost::runCommandLoop();
    }
    // Opens a drawing as the current one; the bytes it was read from.
    std::string open(const std::string& path) {
        EXPECT_NE(acDocManagerPtr()->openDocument(path), nullptr) << path;
        out.clear();
        return ReadBytes(path);
    }
    bool printed(const std::wstring& text) const { return out.find(text) != std::wstring::npos; }
    std::size_t count(const std::wstring& text) const {
        std::size_t n = 0;
        for (auto at = out.find(text); at != std::wstring::npos; at = out.find(text, at + 1)) ++n;
        return n;
    }
    std::string outUtf8() const { return cadhost::toUtf8(out); }  // for failure messages

    AcDbDatabase* db() const { return acdbHostApplicationServices()->workingDatabase(); }
    std::string saved() const {
        std::string bytes;
        EXPECT_EQ(db()->dxfOutToString(bytes), Acad::eOk);
        return bytes;
    }

    // Appends an entity to the current space and closes it.
    AcDbObjectId append(AcDbEntity* entity) {
        AcDbBlockTableRecord* space = nullptr;
        EXPECT_EQ(acdbOpenObject(space, db()->currentSpaceId(), AcDb::kForWrite), Acad::eOk);
        AcDbObjectId id;
        EXPECT_EQ(space->appendAcDbEntity(id, entity), Acad::eOk);
        entity->close();
        space->close();
        return id;
    }
    AcDbObjectId addText(double x, double y, const std::wstring& s) {
        return append(new AcDbText(AcGePoint3d(x, y, 0), s.c_str(), db()->textstyle(), 2.5, 0));
    }
    AcDbObjectId addLine(double x1, double y1, double x2, double y2) {
        return append(new AcDbLine(AcGePoint3d(x1, y1, 0), AcGePoint3d(x2, y2, 0)));
    }
    static std::wstring handleOf(const AcDbObjectId& id) {
        char buf[20] = {};
        id.handle().getIntoAsciiBuffer(buf);
        return std::wstring(buf, buf + std::char_traits<char>::length(buf));
    }
    std::wstring textOf(const AcDbObjectId& id) {
        AcDbText* text = nullptr;
        if (acdbOpenObject(text, id, AcDb::kForRead) != Acad::eOk) return L"<none>";
        std::wstring s = text->textStringConst();
        text->close();
        return s;
    }
    bool exists(const AcDbObjectId& id) {
        AcDbEntity* e = nullptr;
        if (acdbOpenObject(e, id, AcDb::kForRead) != Acad::eOk) return false;
        e->close();
        return true;
    }

    std::wstring out;
};
