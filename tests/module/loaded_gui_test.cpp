// The built module loaded into a host that has a window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "cadhost/apdoc/docmanager.h"
#include "cadhost/editor/windows.h"
#include "cadhost/rx/dynlinker.h"
#include "tests/fonts/test_support.h"
#include "tests/module/host_fixture.h"
#include "tests/module/qt_application.h"

namespace tarsil {

namespace {

const auto* const kQt = ::testing::AddGlobalTestEnvironment(new testing::QtApplication);

class LoadedWithWindow : public testing::HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        testing::InstallModule(TARSIL_MODULE_FILE, folder_.path());
        cadhost::setHostWindows(&frame_, &frame_);
        frame_.resize(800, 600);
        frame_.show();
        ASSERT_NE(acDocManagerPtr()->newDocument(), nullptr);
    }
    void TearDown() override {
        HostTest::TearDown();
        cadhost::setHostWindows(nullptr, nullptr);
    }
    std::wstring ModuleFile() const { return (folder_ / "tarsil2.arx").wstring(); }

    TempFolder folder_;
    QWidget frame_;
};

// The module file's version with its commas made full stops.
QString FileVersion() {
    return QString::fromLatin1(TARSIL_FILE_VERSION).replace(QLatin1Char(','), QLatin1Char('.'));
}

QString VersionLineOf(QWidget* splash) {
    for (QLabel* label : splash->findChildren<QLabel*>()) {
        if (label->text().startsWith(QStringLiteral("Release"))) return label->text();
    }
    return {};
}

}  // namespace

TEST_F(LoadedWithWindow, TheSplashShowsTheVersionAndTscfgTheSheetOverTheHostsWindow) {
    ASSERT_TRUE(acrxDynamicLinker->loadModule(ModuleFile().c_str(), true));
    ASSERT_EQ(testing::SplashWindows().size(), 1u);
    EXPECT_EQ(VersionLineOf(testing::SplashWindows().front()),
              QStringLiteral("Release 2016.0 (") + FileVersion() + QStringLiteral(")"));
    QWidget* sheet_parent = nullptr;
    QStringList labels;
    // The sheet is modal: it is read and closed from the event loop.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* sheet = QApplication::activeModalWidget();
        if (sheet == nullptr || sheet->objectName() != QStringLiteral("TarsilProp")) return;
        poll.stop();
        sheet_parent = sheet->parentWidget();
        for (QLabel* label : sheet->findChildren<QLabel*>()) labels << label->text();
        for (QPushButton* button : sheet->findChildren<QPushButton*>()) {
            if (button->text() == QStringLiteral("Exit")) button->click();
        }
    });
    poll.start(1);
    cadhost::runCommandLine(L"TSCFG");
    EXPECT_EQ(sheet_parent, &frame_);
    EXPECT_TRUE(labels.contains(QStringLiteral("Version ") + FileVersion()))
        << labels.join('|').toStdString();
    EXPECT_EQ(acDocManagerPtr()->resourceDepth(), 0);

    // Unloaded while the splash shows: the window goes with the module's code.
    ASSERT_TRUE(acrxDynamicLinker->unloadModule(ModuleFile().c_str(), true));
    EXPECT_TRUE(testing::SplashWindows().empty());
    // Whatever the module left queued runs now: nothing of its code may be in it.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

}  // namespace tarsil
