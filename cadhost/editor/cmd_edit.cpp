// The host's editing commands: UNDO, U, ERASE, TEXT, DTEXT, DDEDIT,
// PICKFIRST, DBLCLICK, UNDEFINE and REDEFINE.
#include <cmath>
#include <cwchar>

#include "cadhost/apdoc/docmanager.h"
#include "cadhost/db/acdb_all.h"
#include "cadhost/editor/cmdline.h"
#include "cadhost/editor/commandstack.h"
#include "cadhost/editor/dblclick.h"
#include "cadhost/editor/host.h"
#include "cadhost/editor/input.h"
#include "cadhost/editor/parse.h"
#include "cadhost/editor/prompts.h"
#include "cadhost/editor/selection.h"
#include "cadhost/editor/sysvars.h"
#include "cadhost/editor/ucs.h"
#include "cadhost/rx/wide.h"

namespace cadhost {
namespace {
AcDbDatabase* workingDb() {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (db == nullptr) writeCommandLine(L"No drawing is open.\n");
    return db;
}

// Changes made between its construction and its end are one undo step.
class UndoGroup {
  public:
    explicit UndoGroup(AcDbDatabase* db) : db_(db) { db_->beginUndoGroup(); }
    ~UndoGroup() { db_->endUndoGroup(); }
    UndoGroup(const UndoGroup&) = delete;
    UndoGroup& operator=(const UndoGroup&) = delete;

  private:
    AcDbDatabase* db_;
};

std::wstring num(double v) {
    wchar_t buf[64];
    std::swprintf(buf, 64, L"%.4f", std::fabs(v) < 5e-5 ? 0.0 : v);
    return buf;
}

AcDbObjectId appendText(AcDbDatabase* db, const double worldPos[3], const std::wstring& s,
                        double height, double rotation) {
    AcDbBlockTableRecord* space = nullptr;
    if (acdbOpenObject(space, currentSpace(), AcDb::kForWrite) != Acad::eOk) return {};
    auto* text = new AcDbText(AcGePoint3d(worldPos[0], worldPos[1], worldPos[2]), s.c_str(),
                              db->textstyle(), height, rotation);
    AcDbObjectId id;
    if (space->appendAcDbEntity(id, text) != Acad::eOk) {
        delete text;
        space->close();
        return {};
    }
    text->close();
    space->close();
    return id;
}

// TEXT and DTEXT: start point, height, rotation, then lines until Enter.
void placeText() {
    AcDbDatabase* db = workingDb();
    if (db == nullptr) return;
    ads_point start;
    if (acedGetPoint(nullptr, L"Specify start point of text: ", start) != RTNORM) return;
    double height = db->textsize();
    const std::wstring heightPrompt = L"Specify height <" + num(height) + L">: ";
    const int hr = acedGetDist(start, heightPrompt.c_str(), &height);
    if (hr == RTCAN) return;
    if (hr != RTNORM || height <= 0) height = db->textsize();
    double angle = 0;
    if (acedGetAngle(start, L"Specify rotation angle of text <0>: ", &angle) == RTCAN) return;
    const double rotation = angle + currentUcs().angle;
    UndoGroup group(db);
    if (height != db->textsize()) db->setTextsize(height);
    for (int line = 0;; ++line) {
        const InputLine in = promptInput(L"Enter text: ");
        if (in.kind != InputLine::Text || in.text.empty()) return;
        // Each further line one line below, across the text's direction.
        double offset[3] = {std::sin(angle) * 1.5 * height * line,
                            -std::cos(angle) * 1.5 * height * line, 0};
        double ucsPos[3] = {start[0] + offset[0], start[1] + offset[1], start[2]};
        double world[3];
        ucsToWorld(currentUcs(), ucsPos, false, world);
        appendText(db, world, in.text, height, rotation);
    }
}

int undoSteps(AcDbDatabase* db, int count) {
    while (db->isUndoGroupOpen()) db->endUndoGroup();
    AcApDocument* doc = curDoc();
    int done = 0;
    for (; done < count; ++done) {
        if (db->undoLastGroup() != Acad::eOk) break;
        std::wstring name = L"GROUP";
        if (doc != nullptr && !doc->undoNames().empty()) {
            name = doc->undoNames().back();
            doc->undoNames().pop_back();
        }
        if (!echoSuppressed()) writeCommandLine(name + L"\n");
    }
    if (done < count && !echoSuppressed()) writeCommandLine(L"Everything has been undone\n");
    return done;
}

void undoCommand() {
    AcDbDatabase* db = workingDb();
    if (db == nullptr) return;
    for (;;) {
        const InputLine in =
            promptInput(L"Enter the number of operations to undo or [BEgin/End/Group] <1>: ");
        if (in.kind != InputLine::Text) return;
        const std::wstring word = asciiUpper(trim(in.text));
        if (word == L"G" || word == L"GROUP" || word == L"BE" || word == L"BEGIN") {
            db->beginUndoGroup();
            return;
        }
        if (word == L"E" || word == L"END") {
            if (db->isUndoGroupOpen()) db->endUndoGroup();
            return;
        }
        if (word.empty()) {
            undoSteps(db, 1);
            return;
        }
        if (auto n = parseInteger(word); n && *n > 0 && *n < 100000) {
            undoSteps(db, static_cast<int>(*n));
            return;
        }
        writeCommandLine(L"Requires a positive integer or option keyword.\n");
    }
}

// The entities a command works on: the pick-first set or a selection.
std::vector<AcDbObjectId> selectForCommand() {
    ads_name ss;
    if (acedSSGet(nullptr, nullptr, nullptr, nullptr, ss) != RTNORM) return {};
    std::vector<AcDbObjectId> ids = selectionSetIds(ss);
    acedSSFree(ss);
    return ids;
}

void eraseCommand() {
    AcDbDatabase* db = workingDb();
    if (db == nullptr) return;
    const std::vector<AcDbObjectId> ids = selectForCommand();
    if (ids.empty()) return;
    UndoGroup group(db);
    int locked = 0;
    for (const AcDbObjectId& id : ids) {
        AcDbEntity* ent = nullptr;
        const Acad::ErrorStatus es = acdbOpenObject(ent, id, AcDb::kForWrite);
        if (es == Acad::eOnLockedLayer) ++locked;
        if (es != Acad::eOk) continue;
        ent->erase();
        ent->close();
    }
    if (locked > 0) writeCommandLine(std::to_wstring(locked) + L" were on a locked layer.\n");
}

void ddeditCommand() {
    AcDbDatabase* db = workingDb();
    if (db == nullptr) return;
    std::vector<AcDbObjectId> first = pickfirstIds();
    setPickfirst({});
    for (const AcDbObjectId& id : first) {
        UndoGroup group(db);
        editTextString(id);
    }
    for (;;) {
        const InputLine in = promptInput(L"Select an annotation object: ");
        if (in.kind != InputLine::Text || trim(in.text).empty()) return;
        const AcDbObjectId id = entityByAnswer(in.text);
        UndoGroup group(db);
        if (id.isNull() || !editTextString(id)) writeCommandLine(L"*Invalid selection*\n");
    }
}

void doubleClickCommand() {
    if (workingDb() == nullptr) return;
    for (;;) {
        const InputLine in = promptInput(L"Select object to double-click: ");
        if (in.kind != InputLine::Text || trim(in.text).empty()) return;
        AcGePoint3d at;
        const AcDbObjectId id = entityByAnswer(in.text, &at);
        if (id.isNull()) {
            writeCommandLine(L"*Invalid selection*\n");
            continue;
        }
        if (!doubleClick(id, at)) writeCommandLine(L"Nothing to edit.\n");
        return;
    }
}

void setDefinition(bool undefine) {
    const InputLine in = promptInput(L"Enter command name: ");
    if (in.kind != InputLine::Text) return;
    HostCommand* cmd = findHostCommand(trim(in.text));
    if (cmd == nullptr) {
        writeCommandLine(L"Unknown command name.\n");
        return;
    }
    cmd->undefined = undefine;
}
}  // namespace

void registerEditCommands() {
    addHostCommand(L"UNDO", undoCommand);
    addHostCommand(L"U", [] {
        if (AcDbDatabase* db = workingDb()) undoSteps(db, 1);
    });
    addHostCommand(L"ERASE", eraseCommand, ACRX_CMD_USEPICKSET);
    addHostCommand(L"TEXT", placeText);
    addHostCommand(L"DTEXT", placeText);
    addHostCommand(L"DDEDIT", ddeditCommand, ACRX_CMD_USEPICKSET);
    addHostCommand(L"PICKFIRST", [] {
        if (workingDb() == nullptr) return;
        setPickfirst(selectForCommand());
    });
    addHostCommand(L"DBLCLICK", doubleClickCommand);
    addHostCommand(L"UNDEFINE", [] { setDefinition(true); });
    addHostCommand(L"REDEFINE", [] { setDefinition(false); });
}

}  // namespace cadhost
