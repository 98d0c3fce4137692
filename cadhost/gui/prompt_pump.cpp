#include "cadhost/gui/prompt_pump.h"

#include <QCoreApplication>
#include <QEventLoop>

#include "cadhost/editor/input.h"

namespace cadhost::gui {

PromptPump::PromptPump(QObject* parent) : QObject(parent) {}

PromptPump::~PromptPump() {
    // A reader left behind would call into a pump that is gone.
    close();
    if (installed_) setInputReader(nullptr, false);
}

void PromptPump::install() {
    setInputReader([this] { return read(); }, true);
    installed_ = true;
}

void PromptPump::post(const std::string& line) {
    answers_.push_back(line);
    if (loop_ != nullptr) loop_->quit();
}

void PromptPump::postEscape() {
    post("\x1b");
}

void PromptPump::addScriptLine(const std::string& line) {
    script_.push_back(line);
}

void PromptPump::close() {
    closed_ = true;
    if (loop_ != nullptr) loop_->quit();
}

std::optional<std::string> PromptPump::read() {
    if (answers_.empty() && !closed_) {
        emit waitingForAnswer();
        if (!script_.empty()) {
            // Let the window show what the last line did before the next.
            QCoreApplication::processEvents();
            if (answers_.empty()) {
                std::string line = script_.front();
                script_.pop_front();
                return line;
            }
        }
        QEventLoop loop;
        QEventLoop* outer = loop_;
        loop_ = &loop;
        ++depth_;
        while (answers_.empty() && !closed_) {
            // exec() returns at once after the application was told to quit.
            if (loop.exec() != 0 || QCoreApplication::closingDown()) break;
        }
        --depth_;
        loop_ = outer;
    }
    if (answers_.empty()) return std::nullopt;
    std::string line = std::move(answers_.front());
    answers_.pop_front();
    return line;
}

}  // namespace cadhost::gui
