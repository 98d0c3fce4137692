#include "cadhost/gui/main_window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSplitter>
#include <QStatusBar>
#include <cstdio>

#include "cadhost/apdoc/docmanager.h"
#include "cadhost/editor/cmdline.h"
#include "cadhost/editor/input.h"
#include "cadhost/editor/point_pick.h"
#include "cadhost/editor/prompt_context.h"
#include "cadhost/editor/selection.h"
#include "cadhost/editor/ucs.h"
#include "cadhost/editor/windows.h"
#include "cadhost/gui/command_line.h"
#include "cadhost/gui/drawing_view.h"
#include "cadhost/gui/prompt_pump.h"
#include "cadhost/gui/zoom_command.h"
#include "cadhost/rx/wide.h"

namespace cadhost::gui {

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent),
      pump_(new PromptPump(this)),
      view_(new DrawingView(pump_)),
      commandLine_(new CommandLine),
      coordinates_(new QLabel) {
    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(view_);
    split->addWidget(commandLine_);
    split->setStretchFactor(0, 4);
    split->setStretchFactor(1, 1);
    split->setChildrenCollapsible(false);
    setCentralWidget(split);
    coordinates_->setObjectName(QStringLiteral("coordinates"));
    coordinates_->setMinimumWidth(260);
    statusBar()->addWidget(coordinates_);
    view_->setKeyTarget(commandLine_->input());
    resize(1100, 780);
    setWindowTitle(QStringLiteral("cadhost"));

    connect(commandLine_, &CommandLine::lineEntered, this,
            [this](const QString& line) { pump_->post(line.toStdString()); });
    connect(commandLine_, &CommandLine::escapePressed, view_, &DrawingView::cancel);
    connect(pump_, &PromptPump::waitingForAnswer, this, &MainWindow::promptWaiting);
    connect(view_, &DrawingView::cursorMoved, this, &MainWindow::showCursor);
}

MainWindow::~MainWindow() {
    detachFromHost();
}

void MainWindow::attachToHost() {
    if (attached_) return;
    attached_ = true;
    setHostWindows(this, view_);
    setCommandLineSink([this](const std::wstring& text) {
        // Everything shown is also logged on standard output.
        const std::string bytes = toUtf8(text);
        std::fwrite(bytes.data(), 1, bytes.size(), stdout);
        commandLine_->appendOutput(QString::fromStdWString(text));
    });
    setAlertHandler([this](const std::wstring& text) {
        QMessageBox::warning(this, windowTitle(), QString::fromStdWString(text));
    });
    setRedrawListener([this](AcDbObjectId id, int) { view_->redraw(id); });
    registerZoomCommand(view_);
    setPointPicker([this](double x, double y) { return view_->pickForHost(QPointF(x, y)); });
    pump_->install();
    commandLine_->setFocus();
}

void MainWindow::detachFromHost() {
    if (!attached_) return;
    attached_ = false;
    pump_->close();
    setInputReader(nullptr, false);
    registerZoomCommand(nullptr);
    setPointPicker({});
    setRedrawListener(nullptr);
    setAlertHandler({});
    setCommandLineSink({});
    setHostWindows(nullptr, nullptr);
}

void MainWindow::promptWaiting() {
    view_->syncWithHost();
    if (const AcApDocument* doc = curDoc())
        setWindowTitle(QStringLiteral("cadhost - ") + QString::fromWCharArray(doc->docTitle()));
    if (!closing_) return;
    // Out of whatever runs, back to the Command prompt, then QUIT (which
    // asks before it throws away changes).
    if (currentPrompt().kind == PromptKind::Command) {
        closing_ = false;
        pump_->post("QUIT");
    } else {
        pump_->postEscape();
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!attached_ || !pump_->waiting()) {
        event->accept();
        return;
    }
    // The host decides: the window goes when the command loop ends.
    event->ignore();
    closing_ = true;
    promptWaiting();
}

void MainWindow::showCursor(QPointF world) {
    const double w[3] = {world.x(), world.y(), 0};
    double u[3];
    worldToUcs(currentUcs(), w, false, u);
    coordinates_->setText(QString::asprintf("%.4f, %.4f, %.4f", u[0], u[1], u[2]));
}

}  // namespace cadhost::gui
