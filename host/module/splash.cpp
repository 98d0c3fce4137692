#include "host/module/splash.h"

#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>

#include "host/layer/host_windows.h"
#include "host/module/module_file.h"
#include "host/module/splash_window.h"

namespace tarsil {

namespace {

// Kept on the application object, which outlives any one load of the
// module: the splash is shown once per process.
constexpr char kShownProperty[] = "tarsilSplashShown";

QPointer<SplashWindow>& Showing() {
    static QPointer<SplashWindow> splash;
    return splash;
}

}  // namespace

void ShowSplashOnce(const void* module) {
    auto* application = qobject_cast<QApplication*>(QCoreApplication::instance());
    QWidget* frame = host::HostFrame();
    if (module == nullptr || application == nullptr || frame == nullptr) return;
    if (application->property(kShownProperty).toBool()) return;
    application->setProperty(kShownProperty, true);

    auto* splash = new SplashWindow(
        QString::fromStdWString(SplashVersionLine(ReadFileVersion(ModuleFilePath()))),
        QString::fromWCharArray(kSupplierWebAddress));
    splash->setAttribute(Qt::WA_DeleteOnClose);
    splash->adjustSize();
    const QRect area = frame->isVisible() ? frame->geometry() : frame->screen()->geometry();
    splash->move(area.center() - splash->rect().center());
    splash->show();
    // The timer is the splash's own child, so that deleting the splash
    // (as unloading the module does) leaves nothing of the module's code
    // waiting in the event loop.
    auto* timer = new QTimer(splash);
    timer->setSingleShot(true);
    QObject::connect(timer, &QTimer::timeout, splash, &QWidget::close);
    timer->start(kSplashMilliseconds);
    Showing() = splash;
}

void CloseSplash() {
    delete Showing().data();
}

}  // namespace tarsil
