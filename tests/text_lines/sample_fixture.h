// A fresh in-process host for each test with a sample drawing open, the
// bundled font map current, and alerts and the command line captured.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "cadhost/apdoc/docmanager.h"
#include "cadhost/db/acdb_all.h"
#include "cadhost/editor/cmdline.h"
#include "cadhost/editor/host.h"
#include "cadhost/editor/input.h"
#include "cadhost/editor/selection.h"
#include "cadhost/editor/sysvars.h"
#include "cadhost/editor/ucs.h"
#include "fonts/font_map.h"
#include "host/entity_ops/text_properties.h"

namespace tarsil::testing {

// Hebrew letters (U+05D0..) to the Windows layout the engine keeps.
inline std::wstring Win(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) out += (c >= 0x05D0 && c <= 0x05EA) ? wchar_t(c - 0x05D0 + 0xE0) : c;
    return out;
}

inline const std::wstring kShalom = L"\u05E9\u05DC\u05D5\u05DD";  // first phrase of each row
inline const std::wstring kRoom12 = L"\u05D7\u05D3\u05E8 12";     // second
inline const std::wstring kAlefBet = L"\u05D0\u05D1\u05D2";       // third

// An entity's text as the tests look at it (erased ones too).
struct TextState {
    std::wstring stored;
    std::wstring style;
    AcGePoint3d position, alignment;
    double height = 0, rotation = 0;
    int horizontal = 0;
    bool erased = false;
    bool paperSpace = false;
};
inline TextState ReadText(AcDbObjectId id) {
    TextState t;
    AcDbText* text = nullptr;
    const Acad::ErrorStatus es = acdbOpenObject(text, id, AcDb::kForRead, true);
    EXPECT_EQ(es, Acad::eOk);
    if (es != Acad::eOk) return t;
    t.stored = text->textStringConst();
    t.position = text->position();
    t.alignment = text->alignmentPoint();
    t.height = text->height();
    t.rotation = text->rotation();
    t.horizontal = text->horizontalMode();
    t.erased = text->isErased();
    t.paperSpace = text->isInPaperSpace();
    const AcDbObjectId style = text->textStyle();
    text->close();
    AcDbTextStyleTableRecord* record = nullptr;
    if (acdbOpenObject(record, style, AcDb::kForRead) == Acad::eOk) {
        t.style = record->name();
        record->close();
    }
    return t;
}

class SampleTest : public ::testing::Test {
  protected:
    void SetUp() override {
        cadhost::resetHost();
        cadhost::setCommandLineSink([this](const std::wstring& s) { out += s; });
        cadhost::setAlertHandler([this](const std::wstring& s) { alerts.push_back(s); });
        ASSERT_NE(acDocManagerPtr()->openDocument(SamplePath()), nullptr);
        ASSERT_TRUE(LoadFontMap(std::string(TARSIL_SOURCE_DIR) + "/resources/default.map",
                                CurrentFontMap()));
    }
    void TearDown() override {
        cadhost::resetHost();
        cadhost::setCommandLineSink({});
        cadhost::setAlertHandler({});
        CurrentFontMap().clear();
    }
    static std::string SamplePath() {
        return std::string(TARSIL_SOURCE_DIR) + "/samples/hebrew_r2000.dxf";
    }
    static AcDbDatabase* Db() { return acdbHostApplicationServices()->workingDatabase(); }
    static AcDbObjectId Id(const wchar_t* handle) {
        const AcDbObjectId id = cadhost::entityByHandle(handle);
        EXPECT_FALSE(id.isNull()) << "no entity " << handle;
        return id;
    }

    // The records a selection of the texts gives the editor.
    static std::vector<CTextProperties> Records(std::initializer_list<const wchar_t*> handles) {
        std::vector<CTextProperties> records(handles.size());
        std::size_t i = 0;
        for (const wchar_t* h : handles) records[i++].objectId = Id(h);
        return records;
    }

    static std::wstring Stored(const wchar_t* handle) { return ReadText(Id(handle)).stored; }
    // The entities of the drawing that are not in before, in drawing order.
    static std::vector<AcDbObjectId> Added(const std::vector<AcDbObjectId>& before) {
        std::vector<AcDbObjectId> added;
        for (AcDbObjectId id : Db()->allEntities()) {
            if (std::find(before.begin(), before.end(), id) == before.end()) added.push_back(id);
        }
        return added;
    }

    std::wstring out;
    std::vector<std::wstring> alerts;
};

}  // namespace tarsil::testing
