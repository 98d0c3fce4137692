#include "cadhost/gui/command_line.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QVBoxLayout>

namespace cadhost::gui {

CommandLine::CommandLine(QWidget* parent)
    : QWidget(parent),
      history_(new QPlainTextEdit(this)),
      prompt_(new QLabel(this)),
      input_(new QLineEdit(this)) {
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    history_->setReadOnly(true);
    history_->setFont(fixed);
    history_->setFocusPolicy(Qt::NoFocus);
    // A long session must not grow without end.
    history_->setMaximumBlockCount(5000);
    history_->setObjectName(QStringLiteral("commandHistory"));
    prompt_->setFont(fixed);
    prompt_->setObjectName(QStringLiteral("commandPrompt"));
    input_->setFont(fixed);
    input_->setFrame(false);
    input_->setObjectName(QStringLiteral("commandInput"));
    input_->installEventFilter(this);

    auto* line = new QHBoxLayout;
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(0);
    line->addWidget(prompt_);
    line->addWidget(input_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(history_, 1);
    layout->addLayout(line);
    setFocusProxy(input_);
    connect(input_, &QLineEdit::returnPressed, this, [this] {
        const QString line = input_->text();
        input_->clear();
        emit lineEntered(line);
    });
}

void CommandLine::appendOutput(const QString& text) {
    pending_ += text;
    const qsizetype end = pending_.lastIndexOf(QLatin1Char('\n'));
    if (end >= 0) {
        history_->appendPlainText(pending_.left(end));
        pending_.remove(0, end + 1);
        history_->verticalScrollBar()->setValue(history_->verticalScrollBar()->maximum());
    }
    prompt_->setText(pending_);
}

void CommandLine::submit(const QString& line) {
    input_->setText(line);
    emit input_->returnPressed();
}

QString CommandLine::prompt() const {
    return pending_;
}

bool CommandLine::eventFilter(QObject* watched, QEvent* event) {
    if (watched == input_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        input_->clear();
        emit escapePressed();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace cadhost::gui
