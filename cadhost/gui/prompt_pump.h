#pragma once

// The host's input in a window.  A prompt that wants an answer waits in a
// nested event loop, as a modal prompt does, so the view, the command line
// and any dialog stay live; it ends when an answer is posted: a line typed
// on the command line, one that a mouse gesture stands for, or Escape.
#include <QObject>
#include <deque>
#include <optional>
#include <string>

class QEventLoop;

namespace cadhost::gui {

class PromptPump : public QObject {
    Q_OBJECT
  public:
    explicit PromptPump(QObject* parent = nullptr);
    ~PromptPump() override;

    // Makes this the host's input reader (answers echoed after the prompt).
    void install();
    // Answers, in UTF-8, as typed.  Lines from a script come after every
    // answer posted, one per prompt, as if typed when the prompt came up.
    void post(const std::string& line);
    void postEscape();
    void addScriptLine(const std::string& line);
    // No more input: the waiting prompt and every later one get none.
    void close();
    bool closed() const { return closed_; }
    // Input comes again after close() (the command loop is run once more).
    void reopen() { closed_ = false; }
    // Whether a prompt is waiting for an answer now.
    bool waiting() const { return depth_ > 0; }
    std::size_t pending() const { return answers_.size(); }

    // The reader: the next answer, waiting for it if need be.
    std::optional<std::string> read();

  signals:
    // A prompt begins to wait: the window shows what it asks for.
    void waitingForAnswer();

  private:
    std::deque<std::string> answers_;
    std::deque<std::string> script_;
    QEventLoop* loop_ = nullptr;  // the innermost waiting prompt's loop
    int depth_ = 0;
    bool closed_ = false;
    bool installed_ = false;
};

}  // namespace cadhost::gui
