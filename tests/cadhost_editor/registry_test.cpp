// The class registry, protocol extensions, the system registry and the
// command stack.
#include "cadhost/editor/commandstack.h"
#include "cadhost/editor/dblclick.h"
#include "cadhost/rx/dynlinker.h"
#include "host_fixture.h"

namespace {
class Marker : public AcRxObject {};

int calls = 0;
int seenFlags = 0;
void countCall() {
    ++calls;
    seenFlags = cadhost::activeCommandFlags();
}
}  // namespace

TEST(ClassRegistryTest, NewClassesJoinTheHierarchy) {
    AcRxClass* child = newAcRxClass(L"TstChild", L"TstParent");
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->myParent(), nullptr) << "parent not registered yet";
    AcRxClass* parent = newAcRxClass(L"TstParent", L"AcDbText");
    acrxBuildClassHierarchy();
    EXPECT_EQ(child->myParent(), parent);
    EXPECT_TRUE(child->isDerivedFrom(cadhost::lookupClass(L"AcDbEntity")));
    EXPECT_FALSE(parent->isDerivedFrom(child));
    EXPECT_EQ(newAcRxClass(L"TstChild", L"Other"), child) << "an existing class is kept";
    EXPECT_EQ(acrxClassDictionary->at(L"TstChild"), child);
    deleteAcRxClass(child);
    deleteAcRxClass(parent);
    EXPECT_EQ(acrxClassDictionary->at(L"TstChild"), nullptr);
    EXPECT_EQ(newAcRxClass(L"", L"AcRxObject"), nullptr);
}

TEST(ClassRegistryTest, ProtocolExtensionsReplaceRemoveAndInherit) {
    AcRxClass* key = newAcRxClass(L"TstProtocol", L"AcRxObject");
    AcRxClass* text = cadhost::lookupClass(L"AcDbText");
    AcRxClass* attribute = cadhost::lookupClass(L"AcDbAttribute");
    Marker first, second;
    EXPECT_EQ(text->addX(key, &first), nullptr);
    EXPECT_EQ(text->addX(key, &second), &first) << "addX returns what it replaces";
    EXPECT_EQ(attribute->getX(key), nullptr) << "not the parent class's";
    EXPECT_EQ(text->delX(key), &second);
    EXPECT_EQ(text->delX(key), nullptr);
    deleteAcRxClass(key);
}

// The linker's own cast is used by every module (the test module's too).
TEST(SystemRegistryTest, ServicesHaveTheirClasses) {
    AcRxObject* commands = acrxSysRegistry()->at(ACRX_COMMAND_DOCK);
    EXPECT_NE(AcEdCommandStack::cast(commands), nullptr);
    EXPECT_EQ(AcRxDynamicLinker::cast(commands), nullptr) << "a cast checks the class";
    EXPECT_NE(AcRxDictionary::cast(acrxSysRegistry()->at(ACRX_CLASS_DICTIONARY)), nullptr);
    EXPECT_EQ(acrxSysRegistry()->at(L"NoSuchService"), nullptr);
}

TEST(SystemRegistryTest, AbortEndsTheHostWithItsMessage) {
    EXPECT_EXIT(acrx_abort(L"Class %s", L"mismatch"), ::testing::ExitedWithCode(70),
                "INTERNAL ERROR: Class mismatch");
}

class CommandStackTest : public HostTest {};

TEST_F(CommandStackTest, AddLookUpRunAndRemoveByGroup) {
    AcEdCommandStack* stack = acedRegCmds;
    calls = 0;
    EXPECT_EQ(stack->addCommand(L"TST", L"TST_ONE", L"ONE", ACRX_CMD_USEPICKSET, countCall),
              Acad::eOk);
    EXPECT_EQ(stack->addCommand(L"TST", L"TST_TWO", L"TWO", ACRX_CMD_TRANSPARENT, countCall),
              Acad::eOk);
    EXPECT_EQ(stack->addCommand(L"OTHER", L"TST_ONE", L"THREE", 0, countCall), Acad::eDuplicateKey);
    EXPECT_EQ(stack->addCommand(L"TST", L"X", L"Y", 0, nullptr), Acad::eInvalidInput);
    run({L"one", L"_TST_TWO", L"_ONE"});
    EXPECT_EQ(calls, 2) << "a local name after _ is no global name";
    EXPECT_TRUE(printed(L"Unknown command \"ONE\""));
    EXPECT_EQ(stack->removeGroup(L"tst"), Acad::eOk);
    EXPECT_EQ(stack->lookupLocalCmd(L"ONE"), nullptr);
    EXPECT_EQ(stack->removeGroup(L"TST"), Acad::eKeyNotFound);
}

TEST_F(CommandStackTest, TransparentFlagDecidesUseAtAPrompt) {
    calls = 0;
    acedRegCmds->addCommand(L"TST", L"TST_T", L"TT", ACRX_CMD_TRANSPARENT, countCall);
    acedRegCmds->addCommand(L"TST", L"TST_M", L"MM", ACRX_CMD_MODAL, countCall);
    // Inside UCS's prompt: 'TT runs, 'MM is refused, then the prompt goes on.
    run({L"UCS", L"'TT", L"'MM", L"W"});
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(seenFlags, ACRX_CMD_TRANSPARENT) << "the flags of the command running";
    EXPECT_TRUE(printed(L"may not be invoked transparently"));
    EXPECT_TRUE(printed(L"Resuming command."));
    acedRegCmds->removeGroup(L"TST");
}

TEST_F(CommandStackTest, CommandSRunsHostCommandsWithAnswers) {
    AcDbObjectId id = addText(0, 0, L"a");
    EXPECT_EQ(acedCommandS(RTSTR, L"UNDO", RTSTR, L"G", RTNONE), RTNORM);
    EXPECT_TRUE(db()->isUndoGroupOpen());
    const AcDbObjectId b = addText(5, 0, L"b");
    const AcDbObjectId c = addText(9, 0, L"c");
    EXPECT_EQ(acedCommandS(RTSTR, L"UNDO", RTSTR, L"E", RTNONE), RTNORM);
    EXPECT_FALSE(db()->isUndoGroupOpen());
    EXPECT_EQ(acedCommandS(RTSTR, L"UNDO", RTSHORT, 1, RTNONE), RTNORM);
    EXPECT_FALSE(exists(b)) << "both texts went in one step";
    EXPECT_FALSE(exists(c));
    EXPECT_TRUE(exists(id));
    EXPECT_EQ(acedCommandS(RTSTR, L"NOSUCHCOMMAND", RTNONE), RTERROR);
    EXPECT_EQ(acedCommandS(RTENAME, nullptr, RTNONE), RTERROR) << "unsupported argument type";
}

TEST_F(CommandStackTest, UndefineHidesAHostCommandUntilRedefine) {
    AcDbObjectId id = addText(0, 0, L"old");
    const std::wstring h = handleOf(id);
    run({L"UNDEFINE", L"DDEDIT", L"DDEDIT", L".DDEDIT", h, L"new", L""});
    EXPECT_TRUE(printed(L"Unknown command \"DDEDIT\""));
    EXPECT_EQ(textOf(id), L"new") << "the dot prefix reaches the host's own command";
    run({L"REDEFINE", L"DDEDIT", L"DDEDIT", h, L"newer", L""});
    EXPECT_EQ(textOf(id), L"newer");
    run({L"UNDEFINE", L"NOSUCH"});
    EXPECT_TRUE(printed(L"Unknown command name."));
}
