#pragma once

// The command line of the window: what the host printed above, the prompt
// and one input line below.  Lines typed here are the answers the host's
// prompts read (see PromptPump).
#include <QString>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace cadhost::gui {

class CommandLine : public QWidget {
    Q_OBJECT
  public:
    explicit CommandLine(QWidget* parent = nullptr);

    // Text as the host writes it: finished lines go to the history, an
    // unfinished last line (a prompt) is shown in front of the input.
    void appendOutput(const QString& text);
    // Enters a line as if it had been typed and Enter pressed.
    void submit(const QString& line);

    QLineEdit* input() const { return input_; }
    QPlainTextEdit* history() const { return history_; }
    QString prompt() const;

  signals:
    void lineEntered(const QString& line);
    void escapePressed();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QPlainTextEdit* history_;
    QLabel* prompt_;
    QLineEdit* input_;
    QString pending_;  // the unfinished last line
};

}  // namespace cadhost::gui
