#pragma once

// The host's main window: the drawing view above the command line, the
// cursor's coordinates in the status bar.  Attached to the host, it is the
// frame that dialogs are modal to, shows alerts, shows (and copies to
// standard output) the command line, and answers the host's prompts.
#include <QMainWindow>

class QLabel;

namespace cadhost::gui {

class CommandLine;
class DrawingView;
class PromptPump;

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    void attachToHost();
    void detachFromHost();

    CommandLine* commandLine() const { return commandLine_; }
    DrawingView* view() const { return view_; }
    PromptPump* pump() const { return pump_; }
    QLabel* coordinates() const { return coordinates_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void promptWaiting();
    void showCursor(QPointF world);

    PromptPump* pump_;
    DrawingView* view_;
    CommandLine* commandLine_;
    QLabel* coordinates_;
    bool attached_ = false;
    bool closing_ = false;  // the user closed the window: QUIT at the next Command prompt
};

}  // namespace cadhost::gui
