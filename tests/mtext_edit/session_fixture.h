// A fresh in-process host for each test with a drawing open, the bundled
// font map's Hebrew fonts, and alerts and the command line captured.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cadhost/apdoc/docmanager.h"
#include "cadhost/db/acdb_all.h"
#include "cadhost/editor/cmdline.h"
#include "cadhost/editor/host.h"
#include "cadhost/editor/input.h"
#include "fonts/font_map.h"

namespace tarsil::testing {

inline std::string SourcePath(const std::string& relative) {
    return std::string(TARSIL_SOURCE_DIR) + "/" + relative;
}

inline std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Logical Windows-layout text from UTF-8 Hebrew: letters U+05D0..U+05EA
// become U+00E0..U+00FA, as the editors see them.
inline std::wstring Logical(const std::wstring& hebrew) {
    std::wstring out;
    for (wchar_t c : hebrew) out += (c >= 0x05D0 && c <= 0x05EA) ? wchar_t(c - 0x05D0 + 0xE0) : c;
    return out;
}

// The direction mask of text typed letter by letter with Hebrew active
// for the Hebrew letters.
inline std::vector<unsigned char> TypedMask(const std::wstring& text) {
    std::vector<unsigned char> mask;
    for (wchar_t c : text) mask.push_back(c >= 0xE0 && c <= 0xFA ? 2 : 1);
    return mask;
}

class DrawingTest : public ::testing::Test {
  protected:
    void Open(const std::string& relative) {
        cadhost::resetHost();
        cadhost::setCommandLineSink([this](const std::wstring& s) { out_ += s; });
        cadhost::setAlertHandler([this](const std::wstring& s) { alerts_.push_back(s); });
        cadhost::setInputReader(nullptr, false);
        path_ = SourcePath(relative);
        ASSERT_NE(acDocManagerPtr()->openDocument(path_), nullptr);
        CurrentFontMap() = {
            {L"hebnorm", FontType::HebrewNormal},
            {L"heb7bit", FontType::Hebrew7Bit},
            {L"hebback", FontType::HebrewBackward},
            {L"hebd2w", FontType::D2w},
            {L"romans", FontType::AsIs},
        };
    }
    void TearDown() override {
        cadhost::resetHost();
        cadhost::setCommandLineSink({});
        cadhost::setAlertHandler({});
        CurrentFontMap().clear();
    }

    AcDbDatabase* db() const { return acdbHostApplicationServices()->workingDatabase(); }
    std::string Saved() const {
        std::string s;
        EXPECT_EQ(db()->dxfOutToString(s), Acad::eOk);
        return s;
    }
    std::string Original() const { return FileBytes(path_); }

    // The n-th entity (0 first) of a DXF type in model space, in drawing order.
    AcDbObjectId Nth(const std::string& type, int n = 0) {
        AcDbObjectId model;
        AcDbBlockTable* blocks = nullptr;
        EXPECT_EQ(db()->getBlockTable(blocks, AcDb::kForRead), Acad::eOk);
        if (blocks != nullptr) {
            blocks->getAt(ACDB_MODEL_SPACE, model);
            blocks->close();
        }
        for (AcDbObjectId id : db()->allEntities()) {
            AcDbEntity* e = nullptr;
            if (acdbOpenAcDbEntity(e, id, AcDb::kForRead) != Acad::eOk) continue;
            const bool match = e->dxfName() == type && e->ownerId() == model;
            e->close();
            if (match && n-- == 0) return id;
        }
        ADD_FAILURE() << "no " << type;
        return {};
    }
    std::wstring Contents(AcDbObjectId id) {
        AcDbMText* m = nullptr;
        EXPECT_EQ(acdbOpenObject(m, id, AcDb::kForRead), Acad::eOk);
        if (m == nullptr) return {};
        std::wstring s = m->contentsConst();
        m->close();
        return s;
    }
    std::wstring Override(AcDbObjectId id) {
        AcDbDimension* d = nullptr;
        EXPECT_EQ(acdbOpenObject(d, id, AcDb::kForRead), Acad::eOk);
        if (d == nullptr) return {};
        std::wstring s = d->dimensionTextConst();
        d->close();
        return s;
    }
    // The groups of an object from the first group with code `from` on.
    std::vector<std::pair<int, std::string>> GroupsFrom(AcDbObjectId id, int from) {
        std::vector<std::pair<int, std::string>> groups;
        AcDbObject* o = nullptr;
        EXPECT_EQ(acdbOpenAcDbObject(o, id, AcDb::kForRead), Acad::eOk);
        if (o == nullptr) return groups;
        bool on = false;
        for (const auto& t : o->tags()) {
            on = on || t.code == from;
            if (on) groups.emplace_back(t.code, t.value);
        }
        o->close();
        return groups;
    }

    std::string path_;
    std::wstring out_;
    std::vector<std::wstring> alerts_;
};

}  // namespace tarsil::testing
