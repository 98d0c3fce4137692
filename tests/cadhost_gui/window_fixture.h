#pragma once

// The in-process host with its window attached, shown offscreen.  A test
// asks a prompt from its body; what the user does meanwhile is queued with
// whenWaiting() and runs inside the prompt's nested event loop.
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "cadhost/editor/cmdline.h"
#include "cadhost/editor/prompt_context.h"
#include "cadhost/editor/ucs.h"
#include "cadhost/gui/command_line.h"
#include "cadhost/gui/drawing_view.h"
#include "cadhost/gui/main_window.h"
#include "cadhost/gui/prompt_pump.h"
#include "tests/cadhost_editor/host_fixture.h"

class WindowTest : public HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        window = std::make_unique<cadhost::gui::MainWindow>();
        window->attachToHost();
        cadhost::setCommandLineSink([this](const std::wstring& s) {
            out += s;
            window->commandLine()->appendOutput(QString::fromStdWString(s));
        });
        window->resize(800, 600);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        // A prompt nobody answers must fail the test, not hang it.
        QObject::connect(&watchdog, &QTimer::timeout, [this] {
            ADD_FAILURE() << "a prompt waited for an answer that never came";
            window->pump()->close();
        });
        watchdog.start(10000);
    }
    void TearDown() override {
        watchdog.stop();
        window.reset();
        HostTest::TearDown();
    }
    cadhost::gui::DrawingView* view() const { return window->view(); }
    QLineEdit* input() const { return window->commandLine()->input(); }
    static void whenWaiting(std::function<void()> action) { QTimer::singleShot(0, action); }
    QPoint pixelOf(double x, double y) const {
        return view()->transform().toScreen(QPointF(x, y)).toPoint();
    }
    void click(double x, double y, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(view(), button, {}, pixelOf(x, y));
    }
    // The user system turned by angle about the moved origin.
    static void turnUcs(double angle, double ox = 0, double oy = 0) {
        cadhost::Ucs ucs;
        ucs.origin[0] = ox;
        ucs.origin[1] = oy;
        ucs.angle = angle;
        cadhost::setCurrentUcs(ucs);
    }
    // Pixels of the view drawn in about this colour.
    int pixelsOf(QColor colour) const {
        const QImage shot = view()->grab().toImage();
        int n = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x) {
                const QColor c = shot.pixelColor(x, y);
                n += std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                         std::abs(c.blue() - colour.blue()) <
                     24;
            }
        return n;
    }
    void typeLine(const QString& text) {
        QTest::keyClicks(input(), text);
        QTest::keyClick(input(), Qt::Key_Return);
    }
    // The command loop: each action runs at the next Command prompt (and
    // must lead to another); after the last the input closes.
    void atCommandPrompts(std::vector<std::function<void()>> actions) {
        std::size_t next = 0;
        window->pump()->reopen();
        auto connection =
            QObject::connect(window->pump(), &cadhost::gui::PromptPump::waitingForAnswer, [&] {
                if (cadhost::currentPrompt().kind != cadhost::PromptKind::Command) return;
                if (next == actions.size()) return window->pump()->close();
                whenWaiting(actions[next++]);
            });
        cadhost::runCommandLoop();
        QObject::disconnect(connection);
    }
    // Lines typed at the Command prompt, one per action.
    void typeCommands(std::vector<QString> lines) {
        std::vector<std::function<void()>> actions;
        for (const QString& line : lines) actions.push_back([this, line] { typeLine(line); });
        atCommandPrompts(actions);
    }

    std::unique_ptr<cadhost::gui::MainWindow> window;
    QTimer watchdog;
};
