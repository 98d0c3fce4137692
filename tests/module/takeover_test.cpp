// The takeover of the host's text editing, with the host's LISP replaced by
// a recorder so that every queued expression is seen in its order.
#include <gtest/gtest.h>

#include "cadhost/apdoc/docmanager.h"
#include "cadhost/editor/dblclick.h"
#include "cadhost/editor/selection.h"
#include "cadhost/rx/dynlinker.h"
#include "fonts/wh_config.h"
#include "host/takeover/ddedit_style.h"
#include "host/takeover/double_click_text.h"
#include "host/takeover/edit_replacement.h"
#include "tests/module/host_fixture.h"

namespace tarsil {

namespace {

using testing::kInstallCalls;
using testing::kRestoreCalls;
using testing::RecordingLisp;

class Takeover : public testing::HostTest {
  protected:
    void TearDown() override {
        if (HostEditReplacementInstalled()) SetHostEditReplacement(false, false);
        ForgetDtextEdBeforeTakeover();
        AcDbDoubleClickText::rxUninit();
        CWhConfig::DestroyInstance();
        HostTest::TearDown();
    }

    static void Configure(int style) { CWhConfig::Instance().SetDdeditStyle(style); }
    static AcRxObject* TextHandler() {
        return cadhost::lookupClass(L"AcDbText")->getX(AcDbDoubleClickEdit::desc());
    }

    RecordingLisp lisp_;
};

}  // namespace

TEST_F(Takeover, InstallingAndRemovingMoveTheCommandsAndTheHandler) {
    SetHostEditReplacement(true, false);
    EXPECT_TRUE(output_.empty());
    // The handler's class is registered under the host's, once.
    AcRxClass* registered = cadhost::lookupClass(L"AcDbDoubleClickText");
    ASSERT_NE(registered, nullptr);
    EXPECT_TRUE(registered->isDerivedFrom(AcDbDoubleClickEdit::desc()));
    AcRxObject* first = TextHandler();
    EXPECT_EQ(first->isA(), registered);
    EXPECT_FALSE(cadhost::hostTextDoubleClickInstalled());
    // Each drawing load installs again while the style is in force.
    SetHostEditReplacement(true, false);
    EXPECT_EQ(TextHandler(), first);
    EXPECT_EQ(cadhost::lookupClass(L"AcDbDoubleClickText"), registered);
    lisp_.TakeCalls();

    SetHostEditReplacement(false, false);
    EXPECT_TRUE(lisp_.calls.empty()) << "removed without restoring";
    EXPECT_TRUE(cadhost::hostTextDoubleClickInstalled());
    EXPECT_EQ(AcDbDoubleClickText::cast(TextHandler()), nullptr);

    // Without a handler of the host's before, removal brings the host's back.
    cadhost::removeHostTextDoubleClick();
    SetHostEditReplacement(true, false);
    SetHostEditReplacement(false, false);
    EXPECT_TRUE(cadhost::hostTextDoubleClickInstalled());
}

TEST_F(Takeover, EachFailedQueueingWarnsAndTheRestGoesOn) {
    lisp_.fail_queue = {L"(setq __cmdecho (getvar \"CMDECHO\")) (setvar \"CMDECHO\" 0)",
                        L"(command \".undefine\" \"DDEDIT\")", L"(command \".undefine\" \"DTEXT\")",
                        L"(command \".undefine\" \"TEXT\")", L"(setvar \"CMDECHO\" __cmdecho)"};
    SetHostEditReplacement(true, false);
    EXPECT_EQ(output_,
              L"Warning(redefineDDedit-enter): SetVar/GetVar error occured!!!\n"
              L"Warning: 'ddedit' command not replaced!\n"
              L"Warning: 'dtext' command not replaced!\n"
              L"Warning: 'text' command not replaced!\n"
              L"Warning(redefineDDedit-exit): Setvar/GetVar error occured!!!\n");
    // A command the host kept is not defined over.
    std::vector<std::wstring> expected = kInstallCalls;
    std::erase_if(expected, [](const std::wstring& call) { return call.starts_with(L"define"); });
    EXPECT_EQ(lisp_.TakeCalls(), expected);
    EXPECT_TRUE(HostEditReplacementInstalled());

    TakeOutput();
    lisp_.fail_queue.insert(L"(command \".redefine\" \"TEXT\")");
    SetHostEditReplacement(false, true);
    // The redefine results are not examined.
    EXPECT_EQ(output_,
              L"Warning(restoreDDedit-enter): Setvar/GetVar error occuried!!!\n"
              L"Warning(restoreDDedit-exit): Setvar/GetVar error occuried!!!\n");
    EXPECT_EQ(lisp_.TakeCalls(), kRestoreCalls);
}

TEST_F(Takeover, EachMoveBetweenStylesMovesTheHostAsTheStylesSay) {
    // The configured style, the new one, force; then "DTEXTED" after (the
    // host starts at 2), whether the replacement is in force after, and the
    // LISP calls made.
    const struct {
        int configured, target;
        bool force;
        int dtexted;
        bool replaced;
        std::vector<std::wstring> calls;
    } moves[] = {{1, 1, false, 2, false, {}},
                 {0, 1, false, 1, false, {}},
                 {1, 0, false, 0, false, {}},
                 {0, 2, false, 2, true, kInstallCalls},
                 {1, 2, false, 0, true, kInstallCalls},
                 {2, 2, true, 2, true, kInstallCalls},
                 {2, 0, false, 2, false, kRestoreCalls},
                 {2, 1, false, 1, false, kRestoreCalls},
                 {0, 5, false, 2, false, {}}};
    for (const auto& move : moves) {
        const auto context = &move - moves;
        if (HostEditReplacementInstalled()) SetHostEditReplacement(false, false);
        ForgetDtextEdBeforeTakeover();
        SetShortVar(L"DTEXTED", 2);
        if (move.configured == kDdeditStyleReplaceHost) SetHostEditReplacement(true, false);
        lisp_.TakeCalls();
        Configure(move.configured);
        ApplyDdeditStyle(move.target, move.force);
        EXPECT_EQ(IntVar(L"DTEXTED"), move.dtexted) << context;
        EXPECT_EQ(HostEditReplacementInstalled(), move.replaced) << context;
        EXPECT_EQ(lisp_.TakeCalls(), move.calls) << context;
        EXPECT_EQ(CWhConfig::Instance().GetDdeditStyle(), move.configured) << context;
    }
}

// The module's handler in place on the first text of the sample.
class HandlerInPlace : public Takeover {
  protected:
    void SetUp() override {
        Takeover::SetUp();
        ASSERT_NE(acDocManagerPtr()->openDocument(testing::SamplePath()), nullptr);
        text_ = FirstOf("TEXT");
        ASSERT_FALSE(text_.isNull());
        SetHostEditReplacement(true, false);
    }
    static AcDbObjectId FirstOf(const char* type) {
        return cadhost::entityByHandle(testing::FirstHandleOf(testing::SamplePath(), type));
    }
    void SetLayer(bool locked, bool frozen = false, bool off = false) {
        AcDbEntity* entity = nullptr;
        ASSERT_EQ(acdbOpenObject(entity, text_, AcDb::kForRead), Acad::eOk);
        layer_ = entity->layerId();
        entity->close();
        AcDbLayerTableRecord* layer = nullptr;
        ASSERT_EQ(acdbOpenObject(layer, layer_, AcDb::kForWrite), Acad::eOk);
        layer->setIsLocked(locked);
        layer->setIsFrozen(frozen);
        layer->setIsOff(off);
        layer->close();
    }
    // A double-click on the entity selected first; whether the selection
    // stays, which the handler clears only when it takes the text.
    bool ClickKeepsSelection(AcDbObjectId id) {
        cadhost::setPickfirst({id});
        EXPECT_TRUE(cadhost::doubleClick(id, AcGePoint3d()));
        EXPECT_EQ(curDoc()->lockCount(), 0);
        return cadhost::pickfirstIds() == std::vector<AcDbObjectId>{id};
    }

    AcDbObjectId text_;
    AcDbObjectId layer_;
};

constexpr wchar_t kLockedLayerAlert[] =
    L"Object's layer is locked(Frozen,Locked or Off)\nUnlock layer and try again.";

// Per configured style, layer state, what else holds the text or its layer
// open, and the kind of text (an attribute is one): whether the handler
// takes it (clearing the selection), alerts that the layer is unavailable,
// or prints.
TEST_F(HandlerInPlace, TakesAnEditableTextAndRefusesOneItCannotWrite) {
    enum Hold { kNone, kText, kLayer };
    const wchar_t* const opened = L"Error: Could not open AcDbText object for writing!!!\n";
    const struct {
        int style;
        bool locked, frozen, off;
        Hold hold;
        bool taken, alerted;
        const wchar_t* printed;
        const char* type = "TEXT";
    } cases[] = {
        {2, false, false, false, kNone, true, false, L""},
        // An attribute is taken as a text.
        {2, false, false, false, kNone, true, false, L"", "ATTRIB"},
        {2, true, false, false, kNone, false, true, L""},
        {2, false, true, false, kNone, false, true, L""},
        {2, false, false, true, kNone, false, true, L""},
        {2, false, false, false, kText, false, false, opened},
        // A layer it cannot read counts as locked.
        {2, false, false, false, kLayer, false, true, L""},
        // Another style configured: the handler does nothing at all.
        {1, true, false, false, kNone, false, false, L""},
    };
    for (const auto& c : cases) {
        const auto context = &c - cases;
        Configure(c.style);
        SetLayer(c.locked, c.frozen, c.off);
        AcDbText* text = nullptr;
        AcDbLayerTableRecord* layer = nullptr;
        ASSERT_TRUE(c.hold != kText || acdbOpenObject(text, text_, AcDb::kForRead) == Acad::eOk);
        ASSERT_TRUE(c.hold != kLayer ||
                    acdbOpenObject(layer, layer_, AcDb::kForWrite) == Acad::eOk);
        const AcDbObjectId target = FirstOf(c.type);
        ASSERT_FALSE(target.isNull()) << c.type;
        const bool taken = !ClickKeepsSelection(target);
        if (text != nullptr) text->close();
        if (layer != nullptr) layer->close();
        EXPECT_EQ(taken, c.taken) << context;
        EXPECT_EQ(alerts_, c.alerted ? std::vector<std::wstring>{kLockedLayerAlert}
                                     : std::vector<std::wstring>{})
            << context;
        EXPECT_EQ(TakeOutput(), c.printed) << context;
        alerts_.clear();
        // Closed again either way: it opens for write.
        SetLayer(false);
        ASSERT_EQ(acdbOpenObject(text, text_, AcDb::kForWrite), Acad::eOk) << context;
        text->close();
    }
}

TEST_F(Takeover, TakingStyleOneAwayGivesDtextedBackAsItWasFoundAndOfItsType) {
    for (const short found : {0, 2, 1}) {
        SetShortVar(L"DTEXTED", found);
        Configure(kDdeditStyleUnchanged);
        ApplyDdeditStyle(kDdeditStyleDtextEd, false);
        EXPECT_EQ(IntVar(L"DTEXTED"), 1);
        EXPECT_EQ(cadhost::getVar(L"DTEXTED")->type, RTSHORT);
        // Each drawing load applies it again; the value found stays the first.
        Configure(kDdeditStyleDtextEd);
        ApplyDdeditStyle(kDdeditStyleDtextEd, true);
        ApplyDdeditStyle(kDdeditStyleUnchanged, false);
        EXPECT_EQ(IntVar(L"DTEXTED"), found);
    }
}

TEST_F(Takeover, AnotherClassOfTheSameNameStopsTheHost) {
    EXPECT_EXIT(
        {
            AcDbDoubleClickText::rxInit();
            // Taken out of the dictionary but kept, so the newcomer differs.
            acrxClassDictionaryPtr()->remove(L"AcDbDoubleClickText");
            newAcRxClass(L"AcDbDoubleClickText", L"AcDbDoubleClickEdit");
            AcDbDoubleClickText::rxInit();
        },
        ::testing::ExitedWithCode(70), "Class mismatch");
}

}  // namespace tarsil
