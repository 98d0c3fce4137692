#include "fonts/wh_config.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include "fonts/module_locator.h"

namespace tarsil {

namespace fs = std::filesystem;

namespace {

class Config : public ::testing::Test {
  protected:
    void TearDown() override { CWhConfig::DestroyInstance(); }
};

}  // namespace

TEST_F(Config, StartsWithStyleOneAndEmptyPathsAndDestroyingStartsAfresh) {
    for (int round = 0; round < 2; ++round) {
        CWhConfig& config = CWhConfig::Instance();
        EXPECT_EQ(&CWhConfig::Instance(), &config);
        EXPECT_EQ(config.GetDdeditStyle(), 1);
        EXPECT_TRUE(config.GetCurrentFontMapPath().empty());
        EXPECT_TRUE(config.GetModuleDirectory().empty());
        config.SetDdeditStyle(2);
        config.SetCurrentFontMapPath("/x/y.map");
        config.SetModuleFile("/opt/tarsil2.arx", nullptr);
        CWhConfig::DestroyInstance();
    }
}

TEST_F(Config, DirectoryEndsInExactlyOneSeparatorAndFileNamesFollowIt) {
    CWhConfig& config = CWhConfig::Instance();
    config.SetModuleFile("/opt/cad/plugins/tarsil2.arx", nullptr);
    EXPECT_EQ(config.GetModuleDirectory().native(), "/opt/cad/plugins/");
    EXPECT_EQ(config.GetSettingsFilePath().native(), "/opt/cad/plugins/tarsil.ini");
    EXPECT_EQ(config.GetDefaultFontMapPath().native(), "/opt/cad/plugins/default.map");

    config.SetModuleFile("/opt//cad//tarsil2.arx", nullptr);
    EXPECT_EQ(config.GetSettingsFilePath().native(), "/opt//cad/tarsil.ini");
    config.SetModuleFile("/tarsil2.arx", nullptr);
    EXPECT_EQ(config.GetModuleDirectory().native(), "/");
    EXPECT_EQ(config.GetDefaultFontMapPath().native(), "/default.map");
}

TEST_F(Config, LocateFindsTheLoadedModuleOrFallsBackToTheExecutable) {
    CWhConfig& config = CWhConfig::Instance();
    config.Locate();
    const fs::path exe = fs::read_symlink("/proc/self/exe");
    EXPECT_EQ(config.GetModuleDirectory().native(), exe.parent_path().native() + "/");
    EXPECT_EQ(config.GetSettingsFilePath(), exe.parent_path() / "tarsil.ini");
    EXPECT_EQ(config.GetModuleHandle(), nullptr);
    EXPECT_TRUE(config.GetCurrentFontMapPath().empty());

    const fs::path module = fs::path(TARSIL_BINARY_DIR) / "tests/fonts/stub_module/tarsil2.arx";
    void* handle = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr) << dlerror();
    config.Locate();
    const fs::path folder = fs::canonical(module).parent_path();
    EXPECT_EQ(config.GetModuleDirectory().native(), folder.native() + "/");
    EXPECT_EQ(config.GetDefaultFontMapPath(), folder / "default.map");
    EXPECT_NE(config.GetModuleHandle(), nullptr);
    dlclose(handle);
}

TEST(LocateLoadedModule, MatchesTheFileNameOnlyAndIgnoresAsciiCase) {
    const LocatedModule libc = LocateLoadedModule("LIBC.SO.6");
    EXPECT_EQ(libc.path.filename(), fs::canonical(libc.path).filename());
    EXPECT_NE(libc.handle, nullptr);
    EXPECT_NE(libc.path, fs::read_symlink("/proc/self/exe"));
}

}  // namespace tarsil
