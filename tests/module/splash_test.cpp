// The start-up splash and the module file's version line.
#include "host/module/splash.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QSet>
#include <QTest>
#include <QTimer>

#include "cadhost/editor/windows.h"
#include "host/module/module_file.h"
#include "host/module/splash_window.h"
#include "tests/fonts/test_support.h"
#include "tests/module/qt_application.h"

namespace tarsil {

namespace fs = std::filesystem;

namespace {

const auto* const kQt = ::testing::AddGlobalTestEnvironment(new testing::QtApplication);

}  // namespace

TEST(ModuleFile, TheBuiltModuleCarriesItsVersionOtherFilesNoneAndTheLineShowsIt) {
    EXPECT_EQ(ReadFileVersion(TARSIL_MODULE_FILE), TARSIL_FILE_VERSION);
    EXPECT_EQ(ReadFileVersion(ModuleFilePath()), "");
    EXPECT_EQ(ReadFileVersion("/no/such/file"), "");
    TempFolder folder;
    EXPECT_EQ(ReadFileVersion(folder.path()), "");
    WriteBytes(folder / "text.arx", "not a module file at all, just text");
    EXPECT_EQ(ReadFileVersion(folder / "text.arx"), "");
    // Cut short: the section table lies beyond the end.
    const std::string module = ReadBytes(TARSIL_MODULE_FILE);
    for (const size_t keep : {size_t{16}, size_t{64}, module.size() / 2, module.size() - 1}) {
        WriteBytes(folder / "cut.arx", module.substr(0, keep));
        EXPECT_EQ(ReadFileVersion(folder / "cut.arx"), "") << keep;
    }
    // Commas become full stops.
    EXPECT_EQ(SplashVersionLine("2,0,0,0"), L"Release 2016.0 (2.0.0.0)");
    EXPECT_EQ(SplashVersionLine("1, 2"), L"Release 2016.0 (1. 2)");
    EXPECT_EQ(SplashVersionLine(""), L"Release 2016.0 ()");
}

TEST(SplashWindow, ShowsThePictureTheVersionAndTheAddress) {
    SplashWindow splash(QStringLiteral("Release 2016.0 (2.0.0.0)"),
                        QString::fromWCharArray(kSupplierWebAddress));
    splash.adjustSize();
    const QImage shot = splash.grab().toImage();
    ASSERT_FALSE(shot.isNull());
    EXPECT_TRUE(shot.save(QString::fromStdString(
        (fs::path(TARSIL_BINARY_DIR) / "tests/module/splash.png").string())));
    QSet<QRgb> colours;
    for (int y = 0; y < shot.height(); y += 3) {
        for (int x = 0; x < shot.width(); x += 3) colours.insert(shot.pixel(x, y));
    }
    EXPECT_GT(colours.size(), 20);
    EXPECT_GT(shot.width(), 300);
}

// The once-per-process rule makes this one story in order.
TEST(Splash, ShowsOncePerProcessOnlyWithAHostWindowAndClosesByItself) {
    int anchor = 0;
    const void* module = &anchor;

    cadhost::setHostWindows(nullptr, nullptr);
    ShowSplashOnce(module);
    EXPECT_TRUE(testing::SplashWindows().empty());

    QWidget frame;
    cadhost::setHostWindows(&frame, &frame);
    ShowSplashOnce(nullptr);
    EXPECT_TRUE(testing::SplashWindows().empty());

    ShowSplashOnce(module);
    ASSERT_EQ(testing::SplashWindows().size(), 1u);
    auto* splash = static_cast<SplashWindow*>(testing::SplashWindows().front());
    EXPECT_TRUE(splash->isVisible());
    // This program is no module file: it has no version to show.
    EXPECT_EQ(splash->VersionLine(), QStringLiteral("Release 2016.0 ()"));

    // Closed by a timer of its own, set to the splash time.
    const auto timers = splash->findChildren<QTimer*>();
    ASSERT_EQ(timers.size(), 1);
    EXPECT_TRUE(timers.front()->isActive());
    EXPECT_EQ(timers.front()->interval(), kSplashMilliseconds);

    ShowSplashOnce(module);
    EXPECT_EQ(testing::SplashWindows().size(), 1u);
    // Run the time out now instead of waiting for it.
    timers.front()->start(0);
    EXPECT_TRUE(QTest::qWaitFor([] { return testing::SplashWindows().empty(); }, 8000));

    ShowSplashOnce(module);
    EXPECT_TRUE(testing::SplashWindows().empty());
    cadhost::setHostWindows(nullptr, nullptr);
}

}  // namespace tarsil
