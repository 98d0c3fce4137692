#include "tools/dxftool/listing.h"

#include <cstdio>
#include <map>

#include "cadhost/db/acdb_all.h"

namespace dxftool {

std::string escaped(std::wstring_view text) {
    std::string out;
    for (wchar_t c : text) {
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
            continue;
        }
        char buf[16];
        if (static_cast<unsigned>(c) <= 0xFF)
            std::snprintf(buf, sizeof buf, "\\x%02X", static_cast<unsigned>(c));
        else
            std::snprintf(buf, sizeof buf, "\\U+%04X", static_cast<unsigned>(c));
        out += buf;
    }
    return out;
}

namespace {

struct StyleInfo {
    std::wstring name, font;
};

StyleInfo styleInfo(AcDbObjectId id, std::map<AcDbObjectId, StyleInfo>& cache) {
    if (auto it = cache.find(id); it != cache.end()) return it->second;
    StyleInfo info;
    AcDbTextStyleTableRecord* rec = nullptr;
    if (acdbOpenObject(rec, id, AcDb::kForRead) == Acad::eOk) {
        info.name = rec->name();
        const ACHAR* font = nullptr;
        rec->fileName(font);
        info.font = font;
        rec->close();
    }
    cache[id] = info;
    return info;
}

void line(std::ostream& out, AcDbEntity* e, AcDbObjectId style, const std::wstring& text,
          std::map<AcDbObjectId, StyleInfo>& cache) {
    char handle[20];
    e->getDbHandle().getIntoAsciiBuffer(handle);
    StyleInfo s = styleInfo(style, cache);
    out << handle << '\t' << e->dxfName() << '\t' << escaped(e->layer()) << '\t' << escaped(s.name)
        << '\t' << escaped(s.font) << '\t' << escaped(text) << '\n';
}

}  // namespace

void listTexts(AcDbDatabase& db, std::ostream& out) {
    std::map<AcDbObjectId, StyleInfo> cache;
    AcDbBlockTable* table = nullptr;
    if (db.getBlockTable(table) != Acad::eOk) return;
    AcDbObjectId model, paper;
    table->getAt(ACDB_MODEL_SPACE, model);
    table->getAt(ACDB_PAPER_SPACE, paper);
    table->close();
    for (AcDbObjectId id : db.allEntities()) {
        AcDbEntity* e = nullptr;
        if (acdbOpenObject(e, id, AcDb::kForRead) != Acad::eOk) continue;
        AcDbObjectId owner = e->ownerId();
        if (owner != model && owner != paper) {
            e->close();
            continue;
        }
        if (auto* t = dynamic_cast<AcDbText*>(e); t != nullptr && e->dxfName() == "TEXT") {
            line(out, e, t->textStyle(), t->textStringConst(), cache);
        } else if (auto* m = dynamic_cast<AcDbMText*>(e)) {
            line(out, e, m->textStyle(), m->contentsConst(), cache);
        } else if (auto* d = dynamic_cast<AcDbDimension*>(e)) {
            line(out, e, d->textStyle(), d->dimensionTextConst(), cache);
        } else if (auto* b = dynamic_cast<AcDbBlockReference*>(e)) {
            AcDbObjectIterator* it = b->attributeIterator();
            for (it->start(); !it->done(); it->step()) {
                AcDbAttribute* a = nullptr;
                if (acdbOpenObject(a, it->objectId(), AcDb::kForRead) != Acad::eOk) continue;
                line(out, a, a->textStyle(), a->textStringConst(), cache);
                a->close();
            }
            delete it;
        }
        e->close();
    }
}

void listStyles(AcDbDatabase& db, std::ostream& out) {
    AcDbTextStyleTable* table = nullptr;
    if (db.getTextStyleTable(table) != Acad::eOk) return;
    AcDbSymbolTableIterator* it = nullptr;
    table->newIterator(it);
    for (it->start(); !it->done(); it->step()) {
        AcDbSymbolTableRecord* rec = nullptr;
        if (it->getRecord(rec, AcDb::kForRead) != Acad::eOk) continue;
        if (auto* style = dynamic_cast<AcDbTextStyleTableRecord*>(rec)) {
            const ACHAR* font = nullptr;
            style->fileName(font);
            out << escaped(style->name()) << '\t' << escaped(font) << '\n';
        }
        rec->close();
    }
    delete it;
    table->close();
}

}  // namespace dxftool
