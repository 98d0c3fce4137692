// The built module tarsil2.arx loaded into the host of this process by the
// host's dynamic linker, from a folder of the test's own.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cadhost/apdoc/docmanager.h"
#include "cadhost/editor/commandstack.h"
#include "cadhost/editor/dblclick.h"
#include "cadhost/editor/input.h"
#include "cadhost/editor/selection.h"
#include "cadhost/lisp/lisp.h"
#include "cadhost/rx/dynlinker.h"
#include "tests/fonts/test_support.h"
#include "tests/module/host_fixture.h"

namespace tarsil {

namespace fs = std::filesystem;

namespace {

using testing::FirstHandleOf;
using ::testing::HasSubstr;
using ::testing::Not;
using testing::SamplePath;
using testing::SavedSettings;

const wchar_t* const kTextCommands[] = {L"DDEDIT", L"DTEXT", L"TEXT"};
constexpr wchar_t kLockedLayerAlert[] =
    L"Object's layer is locked(Frozen,Locked or Off)\nUnlock layer and try again.";

class LoadedModule : public testing::HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        testing::InstallModule(TARSIL_MODULE_FILE, folder_.path());
    }

    void Configure(int style) {
        WriteBytes(folder_ / "tarsil.ini",
                   "[General]\r\nDdeditStyle=" + std::to_string(style) + "\r\n");
    }
    std::wstring ModuleFile() const { return (folder_ / "tarsil2.arx").wstring(); }
    bool Load() { return acrxDynamicLinker->loadModule(ModuleFile().c_str(), true); }
    bool Unload() { return acrxDynamicLinker->unloadModule(ModuleFile().c_str(), true); }
    static void OpenSample() { ASSERT_NE(acDocManagerPtr()->openDocument(SamplePath()), nullptr); }
    static bool Undefined(const wchar_t* command) {
        const cadhost::HostCommand* found = cadhost::findHostCommand(command);
        return found != nullptr && found->undefined;
    }
    static AcDbObjectId FirstOf(const std::string& type) {
        return cadhost::entityByHandle(FirstHandleOf(SamplePath(), type));
    }
    static std::wstring TextOf(AcDbObjectId id) {
        AcDbText* text = nullptr;
        if (acdbOpenObject(text, id, AcDb::kForRead) != Acad::eOk) return L"<cannot open>";
        std::wstring string = text->textStringConst();
        text->close();
        return string;
    }
    static bool Click(AcDbObjectId id) { return cadhost::doubleClick(id, AcGePoint3d()); }

    TempFolder folder_;
};

}  // namespace

TEST_F(LoadedModule, LoadsWithoutADrawingItsCommandsNeedAWindowAndDtextedComesBack) {
    SetShortVar(L"DTEXTED", 0);
    Configure(1);
    ASSERT_TRUE(Load());
    EXPECT_THAT(output_, HasSubstr(L"Module \"" + ModuleFile() + L"\" loaded."));
    EXPECT_EQ(IntVar(L"DTEXTED"), 1);
    // Without a window the sheet can't show: one line, and the command ends.
    TakeOutput();
    cadhost::runCommandLine(L"TSCFG");
    EXPECT_THAT(TakeOutput(), HasSubstr(L"TSCFG needs the window"));
    ASSERT_TRUE(Unload());
    EXPECT_EQ(IntVar(L"DTEXTED"), 0);
    for (const AcEdCommand* command : acedRegCmdsPtr()->commands()) {
        EXPECT_NE(std::wstring(command->groupName()), L"KRDV_TARSIL");
    }
}

TEST_F(LoadedModule, ACopyLoadedAfterAnotherIsUnloadedUsesItsOwnFolder) {
    // The first copy stays mapped after it is unloaded; the second must
    // still read and write the settings beside itself.
    TempFolder first;
    fs::copy_file(TARSIL_MODULE_FILE, first / "tarsil2.arx");
    WriteBytes(first / "tarsil.ini", "[General]\r\nDdeditStyle=0\r\n");
    const std::wstring first_module = (first / "tarsil2.arx").wstring();
    ASSERT_TRUE(acrxDynamicLinker->loadModule(first_module.c_str(), false));
    ASSERT_TRUE(acrxDynamicLinker->unloadModule(first_module.c_str(), false));

    Configure(1);
    SetShortVar(L"DTEXTED", 0);
    ASSERT_TRUE(Load());
    EXPECT_EQ(IntVar(L"DTEXTED"), 1);
    ASSERT_TRUE(Unload());
    EXPECT_EQ(ReadBytes(folder_ / "tarsil.ini"), SavedSettings(folder_.path(), 1));
    EXPECT_EQ(ReadBytes(first / "tarsil.ini"), SavedSettings(first.path(), 0));
}

TEST_F(LoadedModule, StyleTwoReplacesTheHostsTextCommandsUntilUnloaded) {
    OpenSample();
    Configure(2);
    ASSERT_TRUE(Load());
    EXPECT_TRUE(cadhost::lispQueuePending());
    cadhost::runLispQueue();
    for (const wchar_t* command : kTextCommands) EXPECT_TRUE(Undefined(command)) << command;
    EXPECT_EQ(IntVar(L"CMDECHO"), 1);
    EXPECT_EQ(cadhost::lispVariable(L"__cmdecho"), L"1");
    EXPECT_EQ(IntVar(L"DTEXTED"), 2);

    // The replacement answers in the host's place.
    TakeOutput();
    cadhost::runCommandLine(L"DTEXT");
    EXPECT_THAT(output_, HasSubstr(L"DTEXT needs the window"));
    EXPECT_THAT(output_, Not(HasSubstr(L"Specify start point")));

    ASSERT_TRUE(Unload());
    cadhost::runLispQueue();
    for (const wchar_t* command : kTextCommands) EXPECT_FALSE(Undefined(command)) << command;
    EXPECT_TRUE(cadhost::hostTextDoubleClickInstalled());
    EXPECT_EQ(cadhost::lookupClass(L"AcDbDoubleClickText"), nullptr);
    EXPECT_EQ(ReadBytes(folder_ / "tarsil.ini"), SavedSettings(folder_.path(), 2));
}

TEST_F(LoadedModule, ADrawingOpenedAfterLoadingReadsTheSettingsAgain) {
    ASSERT_NE(acDocManagerPtr()->newDocument(), nullptr);
    Configure(2);
    ASSERT_TRUE(Load());
    cadhost::runLispQueue();
    cadhost::runCommandLine(L".REDEFINE DDEDIT");
    ASSERT_FALSE(Undefined(L"DDEDIT"));
    OpenSample();
    cadhost::runLispQueue();
    EXPECT_TRUE(Undefined(L"DDEDIT"));
}

TEST_F(LoadedModule, QuittingWithStyleTwoLeavesNothingQueued) {
    OpenSample();
    Configure(2);
    ASSERT_TRUE(Load());
    cadhost::runLispQueue();
    cadhost::shutdownHost();
    EXPECT_FALSE(cadhost::lispQueuePending());
    EXPECT_TRUE(cadhost::hostTextDoubleClickInstalled());
    EXPECT_NE(ReadBytes(folder_ / "tarsil.ini").find("DdeditStyle=2\r\n"), std::string::npos);
}

// Double-clicking a text with the module's handler in force.
class DoubleClick : public LoadedModule {
  protected:
    void SetUp() override {
        LoadedModule::SetUp();
        OpenSample();
        Configure(2);
        ASSERT_TRUE(Load());
        cadhost::runLispQueue();
        text_ = FirstOf("TEXT");
        ASSERT_FALSE(text_.isNull());
        TakeOutput();
    }
    // Sets the flags of the text's layer.
    void SetLayer(bool locked, bool frozen, bool off) {
        AcDbEntity* entity = nullptr;
        ASSERT_EQ(acdbOpenObject(entity, text_, AcDb::kForRead), Acad::eOk);
        const AcDbObjectId layer_id = entity->layerId();
        entity->close();
        AcDbLayerTableRecord* layer = nullptr;
        ASSERT_EQ(acdbOpenObject(layer, layer_id, AcDb::kForWrite), Acad::eOk);
        layer->setIsLocked(locked);
        layer->setIsFrozen(frozen);
        layer->setIsOff(off);
        layer->close();
    }

    AcDbObjectId text_;
};

struct LayerFlags {
    bool locked, frozen, off;
};

class UnavailableLayer : public DoubleClick, public ::testing::WithParamInterface<LayerFlags> {};

TEST_P(UnavailableLayer, RefusesWithOneAlertAndLeavesTheTextAlone) {
    SetLayer(GetParam().locked, GetParam().frozen, GetParam().off);
    const std::wstring before = TextOf(text_);
    cadhost::setPickfirst({text_});
    EXPECT_TRUE(Click(text_));
    EXPECT_EQ(alerts_, std::vector<std::wstring>{kLockedLayerAlert});
    EXPECT_EQ(TextOf(text_), before);
    EXPECT_EQ(cadhost::pickfirstIds(), std::vector<AcDbObjectId>{text_});
    EXPECT_THAT(output_, Not(HasSubstr(L"Enter new text")));
}

INSTANTIATE_TEST_SUITE_P(LoadedModule, UnavailableLayer,
                         ::testing::Values(LayerFlags{true, false, false},
                                           LayerFlags{false, true, false},
                                           LayerFlags{false, false, true},
                                           LayerFlags{true, true, true}),
                         [](const ::testing::TestParamInfo<LayerFlags>& info) {
                             const LayerFlags& f = info.param;
                             return std::string(f.locked ? "Locked" : "") +
                                    (f.frozen ? "Frozen" : "") + (f.off ? "Off" : "");
                         });

TEST_F(DoubleClick, OnAnEditableTextClearsTheSelectionAndUnlocks) {
    SetLayer(false, false, false);
    cadhost::setPickfirst({text_});
    const std::wstring before = TextOf(text_);
    EXPECT_TRUE(Click(text_));
    EXPECT_TRUE(alerts_.empty());
    EXPECT_TRUE(cadhost::pickfirstIds().empty());
    EXPECT_EQ(curDoc()->lockCount(), 0);
    EXPECT_THAT(output_, Not(HasSubstr(L"Enter new text")));
    EXPECT_EQ(TextOf(text_), before);
    // Closed again: it opens for write.
    AcDbText* text = nullptr;
    ASSERT_EQ(acdbOpenObject(text, text_, AcDb::kForWrite), Acad::eOk);
    text->close();
}

TEST_F(DoubleClick, ATextOpenElsewhereIsReportedAndTheDocumentUnlocked) {
    AcDbText* held = nullptr;
    ASSERT_EQ(acdbOpenObject(held, text_, AcDb::kForRead), Acad::eOk);
    cadhost::setPickfirst({text_});
    Click(text_);
    held->close();
    EXPECT_THAT(output_, HasSubstr(L"Error: Could not open AcDbText object for writing!!!\n"));
    EXPECT_EQ(curDoc()->lockCount(), 0);
    EXPECT_EQ(cadhost::pickfirstIds(), std::vector<AcDbObjectId>{text_});
}

TEST_F(DoubleClick, AnAttributeIsTreatedAsAText) {
    const AcDbObjectId attribute = FirstOf("ATTRIB");
    ASSERT_FALSE(attribute.isNull()) << "the sample has a block reference with attributes";
    cadhost::setPickfirst({attribute});
    EXPECT_TRUE(Click(attribute));
    EXPECT_TRUE(alerts_.empty());
    EXPECT_TRUE(cadhost::pickfirstIds().empty());
    EXPECT_THAT(output_, Not(HasSubstr(L"Enter new text")));
}

TEST_F(DoubleClick, AfterUnloadingTheHostEditsTheTextItself) {
    ASSERT_TRUE(Unload());
    cadhost::pushInput(L"");
    EXPECT_TRUE(Click(text_));
    EXPECT_THAT(output_, HasSubstr(L"Enter new text"));
}

TEST_F(LoadedModule, WithStyleOneADoubleClickIsTheHostsOwn) {
    OpenSample();
    Configure(1);
    ASSERT_TRUE(Load());
    cadhost::pushInput(L"");
    EXPECT_TRUE(Click(FirstOf("TEXT")));
    EXPECT_THAT(output_, HasSubstr(L"Enter new text"));
    EXPECT_TRUE(alerts_.empty());
}

}  // namespace tarsil
