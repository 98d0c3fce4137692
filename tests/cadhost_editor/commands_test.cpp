// The host's own commands on a drawing, driven through the command loop.
#include <cmath>
#include <filesystem>

#include "cadhost/editor/dblclick.h"
#include "cadhost/editor/selection.h"
#include "cadhost/editor/sysvars.h"
#include "cadhost/editor/ucs.h"
#include "cadhost/editor/windows.h"
#include "cadhost/rx/dynlinker.h"
#include "host_fixture.h"

namespace fs = std::filesystem;

class HostCommandTest : public HostTest {
  protected:
    std::vector<AcDbObjectId> texts() {
        std::vector<AcDbObjectId> out;
        for (const AcDbObjectId& id : db()->allEntities()) {
            AcDbText* t = nullptr;
            if (acdbOpenObject(t, id, AcDb::kForRead) == Acad::eOk) {
                out.push_back(id);
                t->close();
            }
        }
        return out;
    }
    void lockLayer0() {
        AcDbLayerTable* layers = nullptr;
        ASSERT_EQ(db()->getLayerTable(layers, AcDb::kForRead), Acad::eOk);
        AcDbSymbolTableRecord* rec = nullptr;
        ASSERT_EQ(layers->getAt(L"0", rec, AcDb::kForWrite), Acad::eOk);
        static_cast<AcDbLayerTableRecord*>(rec)->setIsLocked(true);
        rec->close();
        layers->close();
    }
};

TEST_F(HostCommandTest, DtextPlacesLinesInTheUcsAndUndoTakesThemBackAsOne) {
    run({L"UCS", L"Z", L"90", L"DTEXT", L"1,0", L"3", L"", L"first", L"second", L""});
    auto ids = texts();
    ASSERT_EQ(ids.size(), 2u);
    AcDbText* t = nullptr;
    ASSERT_EQ(acdbOpenObject(t, ids[0], AcDb::kForRead), Acad::eOk);
    EXPECT_NEAR(t->position().x, 0, 1e-9) << "UCS point 1,0 is world 0,1";
    EXPECT_NEAR(t->position().y, 1, 1e-9);
    EXPECT_NEAR(t->rotation(), M_PI / 2, 1e-9) << "the UCS angle is added";
    EXPECT_DOUBLE_EQ(t->height(), 3);
    t->close();
    ASSERT_EQ(acdbOpenObject(t, ids[1], AcDb::kForRead), Acad::eOk);
    EXPECT_NEAR(t->position().x, 4.5, 1e-9) << "the next line below, across the UCS";
    EXPECT_EQ(std::wstring(t->textStringConst()), L"second");
    t->close();
    EXPECT_DOUBLE_EQ(cadhost::getVar(L"TEXTSIZE")->real, 3);
    out.clear();  // the command's own echo must not answer for U's
    run({L"U"});
    EXPECT_TRUE(texts().empty());
    EXPECT_TRUE(printed(L"DTEXT\n"));
    run({L"U"});
    EXPECT_TRUE(printed(L"UCS\n")) << "the turned UCS is a step of its own";
    EXPECT_NEAR(cadhost::currentUcs().angle, 0, 1e-12);
    run({L"U"});
    EXPECT_TRUE(printed(L"Everything has been undone"));
}

TEST_F(HostCommandTest, TextCancelledAtAPromptAddsNothing) {
    run({L"TEXT", L"0,0", L"ESC", L"TEXT", L"0,0", L"", L"", L""});
    EXPECT_TRUE(texts().empty());
}

// Enter repeats the last command; an unknown name is not remembered.
TEST_F(HostCommandTest, EraseRepeatedByEnterAndUndone) {
    AcDbObjectId a = addText(0, 0, L"a");
    AcDbObjectId b = addText(9, 0, L"b");
    run({L"", L"ERASE " + handleOf(a), L"", L"", handleOf(b), L""});
    EXPECT_FALSE(exists(a));
    EXPECT_FALSE(exists(b)) << "the repeated ERASE asked afresh";
    out.clear();
    run({L"NOSUCH", L"", L"ESC"});
    const auto unknown = out.find(L"Unknown command \"NOSUCH\"");
    ASSERT_NE(unknown, std::wstring::npos);
    EXPECT_NE(out.find(L"Select objects: ", unknown), std::wstring::npos) << outUtf8();
    run({L"UNDO", L"2"});
    EXPECT_TRUE(exists(a));
    EXPECT_TRUE(exists(b));
}

// The database keeps a locked layer's entities; the commands say so.
TEST_F(HostCommandTest, EraseAndDdeditLeaveALockedLayer) {
    AcDbObjectId a = addText(0, 0, L"kept");
    lockLayer0();
    run({L"ERASE", L"ALL", L"", L"DDEDIT", handleOf(a), L"changed", L""});
    EXPECT_TRUE(printed(L"1 were on a locked layer."));
    EXPECT_TRUE(printed(L"Object is on a locked layer."));
    EXPECT_FALSE(printed(L"Enter new text")) << "not asked for a text it cannot take";
}

TEST_F(HostCommandTest, DdeditKeepsTheStringAsTyped) {
    AcDbObjectId a = addText(0, 0, L"old");
    run({L"DDEDIT", handleOf(a), L"  \x00e0\x00e1 new  ", L"nohandle", L""});
    EXPECT_EQ(textOf(a), L"  \x00e0\x00e1 new  ");
    EXPECT_TRUE(printed(L"Enter new text <old>: "));
    EXPECT_TRUE(printed(L"*Invalid selection*"));
    run({L"DDEDIT", handleOf(a), L"", L""});
    EXPECT_EQ(textOf(a), L"  \x00e0\x00e1 new  ") << "Enter keeps the text";
    out.clear();
    run({L"DDEDIT", L"1,1", L"picked", L"500,500", L""});
    EXPECT_EQ(textOf(a), L"picked") << "a point on the text names it";
    EXPECT_TRUE(printed(L"*Invalid selection*")) << "a point on nothing";
}

namespace {
int moduleClicks = 0;
AcGePoint3d moduleClickedAt;
class ModuleDoubleClick : public AcDbDoubleClickEdit {
  public:
    AcRxClass* isA() const override { return cadhost::lookupClass(L"TstDoubleClickText"); }
    void startEdit(AcDbEntity* ent, AcGePoint3d at) override {
        ++moduleClicks;
        moduleClickedAt = at;
        ent->close();
    }
    void finishEdit() override {}
};
}  // namespace

// A derived protocol key, as a module registers one, overrides the host's
// own extension (the window test's), which the linker switches off by the
// name of its built-in module.  A line has none.
TEST_F(HostCommandTest, DoubleClickRunsTheExtensionOfTheEntitysClass) {
    AcRxClass* key = newAcRxClass(L"TstDoubleClickText", L"AcDbDoubleClickEdit");
    AcRxClass* text = cadhost::lookupClass(L"AcDbText");
    ModuleDoubleClick handler;
    EXPECT_EQ(text->addX(key, &handler), nullptr);
    AcDbObjectId a = addText(0, 0, L"same");
    const AcDbObjectId line = addLine(50, 50, 60, 60);
    moduleClicks = 0;
    run({L"DBLCLICK " + handleOf(a), L"DBLCLICK " + handleOf(line)});
    EXPECT_EQ(moduleClicks, 1);
    EXPECT_EQ(textOf(a), L"same") << "the host's DDEDIT did not run";
    EXPECT_TRUE(printed(L"Nothing to edit."));
    // Clicked at a point in a moved user system: the handler gets it in world terms.
    run({L"UCS", L"10,0", L"", L"DBLCLICK", L"-9,1"});
    EXPECT_EQ(moduleClicks, 2);
    EXPECT_NEAR(moduleClickedAt.x, 1, 1e-12);
    EXPECT_NEAR(moduleClickedAt.y, 1, 1e-12);
    EXPECT_EQ(text->delX(key), &handler);
    deleteAcRxClass(key);
    EXPECT_TRUE(acrxDynamicLinker->unloadModule(L"AcDblClkEditPE.arx", false));
    EXPECT_FALSE(cadhost::hostTextDoubleClickInstalled());
    EXPECT_FALSE(cadhost::doubleClick(a, AcGePoint3d()));
    EXPECT_TRUE(acrxDynamicLinker->loadModule(L"ACDBLCLKEDITPE.ARX", false));
    EXPECT_TRUE(cadhost::hostTextDoubleClickInstalled());
}

// What a save marks unchanged and what changes the drawing again; the
// texts as saved come back with OPEN.
TEST_F(HostCommandTest, SaveOpenAndWhatCountsAsAChange) {
    const tarsil::TempFolder folder;
    const fs::path file = folder / "tracked.dxf";
    EXPECT_FALSE(curDoc()->isModified()) << "a new drawing";
    AcDbObjectId id = addText(3, 4, L"kept");
    EXPECT_TRUE(curDoc()->isModified()) << "an appended entity";
    run({L"SAVEAS", file.wstring()});
    EXPECT_FALSE(curDoc()->isModified()) << "saved";
    run({L"ERASE", handleOf(id), L""});
    EXPECT_TRUE(curDoc()->isModified()) << "an erased entity";
    run({L"CLOSE", L"Y"});
    EXPECT_EQ(acDocManagerPtr()->documentCount(), 0);
    run({L"OPEN", file.wstring()});
    EXPECT_FALSE(curDoc()->isModified()) << "as opened";
    ASSERT_EQ(texts().size(), 1u) << "the closed drawing's erase was thrown away";
    EXPECT_EQ(textOf(texts()[0]), L"kept");
}

TEST_F(HostCommandTest, QuitAsksBeforeThrowingAwayUnsavedChanges) {
    run({L"QUIT"});
    EXPECT_TRUE(cadhost::quitRequested()) << "a drawing without changes quits at once";
    EXPECT_FALSE(printed(L"discard"));

    cadhost::resetHost();
    acDocManagerPtr()->newDocument();
    addText(0, 0, L"work");
    for (const wchar_t* keep : {L"", L"maybe", L"ESC"}) {
        run({L"QUIT", keep});
        EXPECT_FALSE(cadhost::quitRequested()) << "keeps the drawing: " << cadhost::toUtf8(keep);
    }
    EXPECT_EQ(count(L"Really want to discard all changes to drawing? <N>: "), 3u);
    EXPECT_TRUE(printed(L"*Cancel*"));
    run({L"QUIT", L"yes"});
    EXPECT_TRUE(cadhost::quitRequested());
}

TEST_F(HostCommandTest, SeveralDrawingsAndTheirLocks) {
    AcApDocument* first = curDoc();
    run({L"NEW"});
    EXPECT_EQ(acDocManagerPtr()->documentCount(), 2);
    EXPECT_NE(curDoc(), first);
    EXPECT_EQ(acDocManagerPtr()->lockDocument(curDoc(), AcAp::kWrite), Acad::eOk);
    EXPECT_EQ(acDocManagerPtr()->unlockDocument(curDoc()), Acad::eOk);
    EXPECT_EQ(acDocManagerPtr()->unlockDocument(curDoc()), Acad::eInvalidInput) << "not locked";
    run({L"CLOSE"});
    EXPECT_EQ(curDoc(), first);
    EXPECT_EQ(db(), first->database());
}

TEST_F(HostCommandTest, AlertGoesToTheCommandLineWithoutAWindow) {
    acedAlert(L"Cannot open Text for writing!");
    EXPECT_TRUE(printed(L"** Cannot open Text for writing!\n"));
    EXPECT_EQ(acedGetAcadFrame(), nullptr);
    EXPECT_EQ(adsw_acadMainWnd(), nullptr);
    EXPECT_EQ(adsw_acadDocWnd(), nullptr);
}

TEST_F(HostCommandTest, RedrawRefusesAnUnknownModeOrName) {
    ads_name name;
    ASSERT_EQ(acdbGetAdsName(name, addText(0, 0, L"a")), Acad::eOk);
    EXPECT_EQ(acedRedraw(name, 7), RTERROR);
    const ads_name forged = {12345, 678};
    EXPECT_EQ(acedRedraw(forged, 3), RTERROR);
}
