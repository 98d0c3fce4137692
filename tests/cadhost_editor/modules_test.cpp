// Modules loaded through the dynamic linker: their messages, commands and
// LISP functions.  The messages at quitting are the program test's.
#include "cadhost/editor/commandstack.h"
#include "cadhost/lisp/lisp.h"
#include "cadhost/rx/dynlinker.h"
#include "host_fixture.h"

class ModuleTest : public HostTest {
  protected:
    static bool loadTestModule(bool print = false) {
        return acrxDynamicLinker->loadModule(cadhost::fromUtf8(TESTMODULE_PATH).c_str(), print);
    }
};

TEST_F(ModuleTest, LoadSendsInitThenDrawingLoadedForEachDrawing) {
    acDocManagerPtr()->newDocument();  // two drawings open
    out.clear();
    ASSERT_TRUE(loadTestModule(true));
    EXPECT_EQ(out.find(L"testmodule: message 1\n"), 0u);
    EXPECT_EQ(count(L"testmodule: message 3\n"), 2u);
    EXPECT_FALSE(acrxDynamicLinker->isApplicationLocked(L"testmodule.arx"))
        << "the module unlocked itself";
    out.clear();
    run({L"NEW"});
    EXPECT_EQ(count(L"testmodule: message 3\n"), 1u) << "a drawing opened later";
    EXPECT_FALSE(loadTestModule());
    EXPECT_TRUE(printed(L"is already loaded"));
}

// The commands and functions themselves run in the plug-in's tests.
TEST_F(ModuleTest, AModuleFunctionsResultIsPrinted) {
    run({L"APPLOAD", L"", cadhost::fromUtf8(TESTMODULE_PATH), L"(tmfunc)"});
    EXPECT_TRUE(printed(L"testmodule: invoked 8\n48\n")) << outUtf8();
}

TEST_F(ModuleTest, UnloadSendsTheMessageAndTakesItsNamesAway) {
    ASSERT_TRUE(loadTestModule());
    out.clear();
    run({L"APPLOAD", L"U", L"testmodule.arx", L"TMLISP", L"TMCOMMAND"});
    EXPECT_TRUE(printed(L"testmodule: message 2\n"));
    EXPECT_TRUE(printed(L"Module \"testmodule.arx\" unloaded."));
    EXPECT_TRUE(printed(L"Unknown command \"TMLISP\""));
    EXPECT_TRUE(printed(L"Unknown command \"TMCOMMAND\""));
    EXPECT_TRUE(acrxDynamicLinker->loadedModules().empty());
    EXPECT_FALSE(acrxDynamicLinker->unloadModule(L"testmodule.arx", false));
}

TEST_F(ModuleTest, FilesThatAreNoModulesAreRefusedClearly) {
    const std::pair<std::string, const wchar_t*> cases[] = {
        {NOENTRY_PATH, L"it has no entry point acrxEntryPoint"},
        {"/nonexistent/nothing.arx", L"file not found"},
        {FAILINIT_PATH, L"failed to initialise"},
        {std::string(TARSIL_SOURCE_DIR) + "/resources/default.map", L"Unable to load"}};
    for (const auto& [path, why] : cases) {
        out.clear();
        EXPECT_FALSE(acrxDynamicLinker->loadModule(cadhost::fromUtf8(path).c_str(), false));
        EXPECT_TRUE(printed(why)) << path << ": " << outUtf8();
    }
    EXPECT_TRUE(acrxDynamicLinker->loadedModules().empty());
}
