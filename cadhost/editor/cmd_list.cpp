// LIST: what the selected entities hold, every string shown through the
// drawing's code page.
#include <cmath>
#include <cwchar>
#include <memory>

#include "cadhost/db/acdb_all.h"
#include "cadhost/dxf/codepage.h"
#include "cadhost/editor/cmdline.h"
#include "cadhost/editor/commandstack.h"
#include "cadhost/editor/host.h"
#include "cadhost/editor/selection.h"
#include "cadhost/rx/wide.h"

namespace cadhost {
namespace {
std::wstring num(double v) {
    wchar_t buf[64];
    std::swprintf(buf, 64, L"%.4f", std::fabs(v) < 5e-5 ? 0.0 : v);
    return buf;
}

std::wstring point(const AcGePoint3d& p) {
    return L"X=" + num(p.x) + L"  Y=" + num(p.y) + L"  Z=" + num(p.z);
}

std::wstring handleText(const AcDbObjectId& id) {
    char buf[20] = {};
    id.handle().getIntoAsciiBuffer(buf);
    return fromUtf8(buf);
}

std::wstring escaped(char32_t byte) {
    wchar_t escape[8];
    std::swprintf(escape, 8, L"\\x%02X", static_cast<unsigned>(byte));
    return escape;
}

// Stored text as the command line shows it: the bytes through the
// drawing's code page (so Windows-layout Hebrew reads as letters, in the
// order stored), and what the code page leaves undefined, like the control
// characters, as \xHH: a terminal would swallow them silently.  In the
// single-byte Windows pages 0x80..0x9F hold only punctuation while
// DOS-layout Hebrew keeps its letters there: those stay bytes too.
std::wstring shown(const AcDbDatabase* db, std::wstring_view text) {
    const std::string page = db != nullptr ? db->codePage() : std::string();
    const dxf::CodePageInfo info = dxf::codePageInfo(page);
    const bool dosLettersAsBytes = info.windows && !info.multiByte;
    const std::u32string bytes(text.begin(), text.end());
    std::wstring out;
    out.reserve(text.size());
    std::size_t at = 0;
    for (const dxf::DecodedPiece& piece : dxf::decodeBytes(bytes, page)) {
        const char32_t c = piece.ch;
        const bool asBytes = c == 0 || c < 0x20 || (c >= 0x7F && c < 0xA0) ||
                             (dosLettersAsBytes && bytes[at] >= 0x80 && bytes[at] < 0xA0);
        if (asBytes) {
            for (std::size_t k = 0; k < piece.length; ++k) out += escaped(bytes[at + k]);
        } else {
            out += static_cast<wchar_t>(c);
        }
        at += piece.length;
    }
    return out;
}

std::wstring quoted(const AcDbDatabase* db, std::wstring_view text) {
    return L"\"" + shown(db, text) + L"\"";
}

// Style name and font file of a text style.
std::wstring styleLine(const AcDbDatabase* db, AcDbObjectId id) {
    AcDbTextStyleTableRecord* style = nullptr;
    if (acdbOpenObject(style, id, AcDb::kForRead) != Acad::eOk) return L"Style = \"\"";
    const ACHAR* file = nullptr;
    std::wstring line = L"Style = " + quoted(db, style->name()) + L"  Font file = " +
                        shown(db, style->fileName(file) == Acad::eOk && file ? file : L"");
    style->close();
    return line;
}

std::wstring header(const AcDbEntity* ent, AcDbObjectId id) {
    return fromUtf8(ent->dxfName()) + L"  Layer: " + quoted(ent->database(), ent->layer()) +
           L"  Space: " + (ent->isInPaperSpace() ? L"Paper space" : L"Model space") +
           L"  Handle = " + handleText(id) + L"\n";
}

std::wstring textLines(const AcDbText* text) {
    const AcDbDatabase* db = text->database();
    return L"    " + styleLine(db, text->textStyle()) + L"\n    start point, " +
           point(text->position()) + L"\n    height " + num(text->height()) + L"\n    text " +
           quoted(db, text->textStringConst()) + L"\n    rotation angle " +
           num(text->rotation() * 180.0 / M_PI) + L"\n";
}

// A block reference names its block and lists its attributes, each with
// its tag, value and layer.
std::wstring insertLines(const AcDbBlockReference* ref) {
    const AcDbDatabase* db = ref->database();
    std::wstring out = L"    Block name: " + quoted(db, ref->blockName()) + L"\n    at point, " +
                       point(ref->position()) + L"\n    rotation angle " +
                       num(ref->rotation() * 180.0 / M_PI) + L"\n";
    std::unique_ptr<AcDbObjectIterator> it(ref->attributeIterator());
    for (; !it->done(); it->step()) {
        AcDbAttribute* attribute = nullptr;
        if (acdbOpenObject(attribute, it->objectId(), AcDb::kForRead) != Acad::eOk) continue;
        // One getter at a time: the const getters share the object's scratch.
        out += L"    Attribute " + quoted(db, attribute->tagConst());
        out += L"  Value: " + quoted(db, attribute->textStringConst());
        out += L"  Layer: " + quoted(db, attribute->layer()) + L"  Handle = " +
               handleText(it->objectId()) + L"\n";
        attribute->close();
    }
    return out;
}

void listEntity(AcDbObjectId id) {
    AcDbEntity* ent = nullptr;
    if (acdbOpenObject(ent, id, AcDb::kForRead) != Acad::eOk) return;
    const AcDbDatabase* db = ent->database();
    std::wstring out = header(ent, id);
    if (auto* text = dynamic_cast<AcDbText*>(ent)) {
        out += textLines(text);
    } else if (auto* mtext = dynamic_cast<AcDbMText*>(ent)) {
        out += L"    " + styleLine(db, mtext->textStyle()) + L"\n    Contents: " +
               quoted(db, mtext->contentsConst()) + L"\n";
    } else if (auto* dim = dynamic_cast<AcDbDimension*>(ent)) {
        out += L"    " + styleLine(db, dim->textStyle()) + L"\n    Text override: " +
               quoted(db, dim->dimensionTextConst()) + L"\n";
    } else if (auto* ref = dynamic_cast<AcDbBlockReference*>(ent)) {
        out += insertLines(ref);
    }
    ent->close();
    writeCommandLine(out);
}
}  // namespace

void registerListCommand() {
    addHostCommand(
        L"LIST",
        [] {
            if (acdbHostApplicationServices()->workingDatabase() == nullptr) {
                writeCommandLine(L"No drawing is open.\n");
                return;
            }
            ads_name ss;
            if (acedSSGet(nullptr, nullptr, nullptr, nullptr, ss) != RTNORM) return;
            for (const AcDbObjectId& id : selectionSetIds(ss)) listEntity(id);
            acedSSFree(ss);
        },
        ACRX_CMD_USEPICKSET);
}

}  // namespace cadhost
