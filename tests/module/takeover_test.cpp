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
    static AcRxClass* TextClass() { return cadhost::lookupClass(L"AcDbText"); }
    static AcRxObject* TextHandler() { return TextClass()->getX(AcDbDoubleClickEdit::desc()); }

    RecordingLisp lisp_;
};

}  // namespace

TEST_F(Takeover, InstallingAndRemovingMoveTheCommandsAndTheHandler) {
    SetHostEditReplacement(true, false);
    EXPECT_EQ(lisp_.TakeCalls(), kInstallCalls);
    EXPECT_TRUE(output_.empty());
    AcRxObject* first = TextHandler();
    EXPECT_NE(AcDbDoubleClickText::cast(first), nullptr);
    EXPECT_FALSE(cadhost::hostTextDoubleClickInstalled());
    EXPECT_TRUE(HostEditReplacementInstalled());
    // Each drawing load installs again while the style is in force.
    SetHostEditReplacement(true, false);
    EXPECT_EQ(TextHandler(), first);
    lisp_.TakeCalls();

    SetHostEditReplacement(false, false);
    EXPECT_TRUE(lisp_.calls.empty()) << "removed without restoring";
    EXPECT_TRUE(cadhost::hostTextDoubleClickInstalled());
    EXPECT_EQ(AcDbDoubleClickText::cast(TextHandler()), nullptr);

    SetHostEditReplacement(true, false);
    lisp_.TakeCalls();
    SetHostEditReplacement(false, true);
    EXPECT_EQ(lisp_.TakeCalls(), kRestoreCalls);
    EXPECT_TRUE(cadhost::hostTextDoubleClickInstalled());
    EXPECT_FALSE(HostEditReplacementInstalled());
}

TEST_F(Takeover, WithoutAHostHandlerRemovalBringsTheHostModuleBack) {
    cadhost::removeHostTextDoubleClick();
    SetHostEditReplacement(true, false);
    SetHostEditReplacement(false, false);
    EXPECT_TRUE(cadhost::hostTextDoubleClickInstalled());
}

TEST_F(Takeover, EachFailedQueueingWarnsAndTheRestGoesOn) {
    lisp_.fail_queue = {L"(setq __cmdecho (getvar \"CMDECHO\")) (setvar \"CMDECHO\" 0)",
                        L"(command \".undefine\" \"DTEXT\")", L"(setvar \"CMDECHO\" __cmdecho)"};
    SetHostEditReplacement(true, false);
    EXPECT_EQ(output_,
              L"Warning(redefineDDedit-enter): SetVar/GetVar error occured!!!\n"
              L"Warning: 'dtext' command not replaced!\n"
              L"Warning(redefineDDedit-exit): Setvar/GetVar error occured!!!\n");
    std::vector<std::wstring> expected = kInstallCalls;
    std::erase(expected, L"define C:DTEXT 2803");
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

TEST_F(Takeover, EveryUndefineFailingWarnsThreeTimes) {
    lisp_.fail_queue = {L"(command \".undefine\" \"DDEDIT\")", L"(command \".undefine\" \"DTEXT\")",
                        L"(command \".undefine\" \"TEXT\")"};
    SetHostEditReplacement(true, false);
    EXPECT_EQ(output_,
              L"Warning: 'ddedit' command not replaced!\n"
              L"Warning: 'dtext' command not replaced!\n"
              L"Warning: 'text' command not replaced!\n");
    for (const std::wstring& call : lisp_.calls) EXPECT_NE(call.rfind(L"define", 0), 0u) << call;
}

// One row per move between styles: the configured style, the new one, force,
// then "DTEXTED" after (the host starts at 2), whether the replacement is
// in force after, and the LISP calls made.
struct StyleMove {
    int configured;
    int target;
    bool force;
    int dtexted;
    bool replaced;
    std::vector<std::wstring> calls;
};

class StyleMoves : public Takeover, public ::testing::WithParamInterface<StyleMove> {};

TEST_P(StyleMoves, MoveTheHostAsTheStylesSay) {
    const StyleMove& move = GetParam();
    SetShortVar(L"DTEXTED", 2);
    if (move.configured == kDdeditStyleReplaceHost) {
        SetHostEditReplacement(true, false);
        lisp_.TakeCalls();
    }
    Configure(move.configured);
    ApplyDdeditStyle(move.target, move.force);
    EXPECT_EQ(IntVar(L"DTEXTED"), move.dtexted);
    EXPECT_EQ(HostEditReplacementInstalled(), move.replaced);
    EXPECT_EQ(lisp_.TakeCalls(), move.calls);
    EXPECT_EQ(CWhConfig::Instance().GetDdeditStyle(), move.configured);
}

INSTANTIATE_TEST_SUITE_P(
    Takeover, StyleMoves,
    ::testing::Values(
        StyleMove{1, 1, false, 2, false, {}}, StyleMove{1, 1, true, 1, false, {}},
        StyleMove{0, 0, true, 2, false, {}}, StyleMove{0, 1, false, 1, false, {}},
        StyleMove{1, 0, false, 0, false, {}}, StyleMove{0, 2, false, 2, true, kInstallCalls},
        StyleMove{1, 2, false, 0, true, kInstallCalls}, StyleMove{2, 2, false, 2, true, {}},
        StyleMove{2, 2, true, 2, true, kInstallCalls},
        StyleMove{2, 0, false, 2, false, kRestoreCalls},
        StyleMove{2, 1, false, 1, false, kRestoreCalls}, StyleMove{5, 0, false, 2, false, {}},
        StyleMove{5, 5, true, 2, false, {}}, StyleMove{0, 5, false, 2, false, {}}));

// The module's handler in place on the first text of the sample.
class HandlerInPlace : public Takeover {
  protected:
    void SetUp() override {
        Takeover::SetUp();
        ASSERT_NE(acDocManagerPtr()->openDocument(testing::SamplePath()), nullptr);
        text_ = FirstOf("TEXT");
        ASSERT_FALSE(text_.isNull());
        Configure(kDdeditStyleReplaceHost);
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

TEST_F(HandlerInPlace, TakesAnEditableTextAndRefusesOneItCannotWrite) {
    const struct {
        bool locked, frozen, off, held;
        bool alerted;
        const wchar_t* printed;
    } cases[] = {
        {false, false, false, false, false, L""},
        {true, false, false, false, true, L""},
        {false, true, false, false, true, L""},
        {false, false, true, false, true, L""},
        {true, true, true, false, true, L""},
        {false, false, false, true, false,
         L"Error: Could not open AcDbText object for writing!!!\n"},
    };
    for (const auto& c : cases) {
        SetLayer(c.locked, c.frozen, c.off);
        const auto context = &c - cases;
        AcDbText* held = nullptr;
        if (c.held) {
            ASSERT_EQ(acdbOpenObject(held, text_, AcDb::kForRead), Acad::eOk);
        }
        const bool taken = !ClickKeepsSelection(text_);
        if (held != nullptr) held->close();
        EXPECT_EQ(taken, !c.alerted && !c.held) << context;
        EXPECT_EQ(alerts_, c.alerted ? std::vector<std::wstring>{kLockedLayerAlert}
                                     : std::vector<std::wstring>{})
            << context;
        EXPECT_EQ(TakeOutput(), c.printed) << context;
        alerts_.clear();
        // Closed again either way: it opens for write.
        SetLayer(false);
        AcDbText* text = nullptr;
        ASSERT_EQ(acdbOpenObject(text, text_, AcDb::kForWrite), Acad::eOk) << context;
        text->close();
    }
}

TEST_F(HandlerInPlace, DoesNothingWhileAnotherStyleIsConfigured) {
    SetLayer(true);
    for (int style : {0, 1, 5}) {
        Configure(style);
        EXPECT_TRUE(ClickKeepsSelection(text_)) << style;
        EXPECT_TRUE(alerts_.empty()) << style;
    }
    Configure(kDdeditStyleReplaceHost);
    EXPECT_TRUE(ClickKeepsSelection(text_));
    EXPECT_EQ(alerts_, std::vector<std::wstring>{kLockedLayerAlert});
}

TEST_F(HandlerInPlace, ALayerThatCannotBeOpenedCountsAsLocked) {
    SetLayer(false);
    AcDbLayerTableRecord* layer = nullptr;
    ASSERT_EQ(acdbOpenObject(layer, layer_, AcDb::kForWrite), Acad::eOk);
    // Still open for write: the handler cannot read it.
    EXPECT_TRUE(ClickKeepsSelection(text_));
    layer->close();
    EXPECT_EQ(alerts_, std::vector<std::wstring>{kLockedLayerAlert});
}

TEST_F(HandlerInPlace, AnAttributeIsTakenAsAText) {
    const AcDbObjectId attribute = FirstOf("ATTRIB");
    ASSERT_FALSE(attribute.isNull()) << "the sample has a block reference with attributes";
    EXPECT_FALSE(ClickKeepsSelection(attribute));
    EXPECT_TRUE(alerts_.empty());
}

TEST_F(Takeover, TakingStyleOneAwayGivesDtextedBackAsItWasFound) {
    for (const short found : {0, 2, 1}) {
        SetShortVar(L"DTEXTED", found);
        Configure(kDdeditStyleUnchanged);
        ApplyDdeditStyle(kDdeditStyleDtextEd, false);
        EXPECT_EQ(IntVar(L"DTEXTED"), 1);
        // Each drawing load applies it again; the value found stays the first.
        Configure(kDdeditStyleDtextEd);
        ApplyDdeditStyle(kDdeditStyleDtextEd, true);
        ApplyDdeditStyle(kDdeditStyleUnchanged, false);
        EXPECT_EQ(IntVar(L"DTEXTED"), found);
    }
}

TEST_F(Takeover, SetDtextEdKeepsTheVariablesType) {
    SetDtextEd(1);
    EXPECT_EQ(IntVar(L"DTEXTED"), 1);
    EXPECT_EQ(cadhost::getVar(L"DTEXTED")->type, RTSHORT);
    SetDtextEd(0);
    EXPECT_EQ(IntVar(L"DTEXTED"), 0);
}

TEST_F(Takeover, TheHandlerClassIsRegisteredOnceUnderTheHostsClass) {
    AcDbDoubleClickText::rxInit();
    AcRxClass* registered = cadhost::lookupClass(L"AcDbDoubleClickText");
    ASSERT_NE(registered, nullptr);
    EXPECT_EQ(AcDbDoubleClickText::desc(), registered);
    EXPECT_TRUE(registered->isDerivedFrom(AcDbDoubleClickEdit::desc()));
    AcDbDoubleClickText::rxInit();
    EXPECT_EQ(cadhost::lookupClass(L"AcDbDoubleClickText"), registered);

    AcRxObject* made = registered->create();
    EXPECT_NE(AcDbDoubleClickText::cast(made), nullptr);
    delete made;

    AcDbDoubleClickText::rxUninit();
    EXPECT_EQ(cadhost::lookupClass(L"AcDbDoubleClickText"), nullptr);
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
