#include "fonts/config_dialog/user_prompts.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace tarsil {

namespace {

UserPrompts* g_installed = nullptr;

QStringList RunFileDialog(QWidget* parent, const FileDialogRequest& request,
                          QFileDialog::FileMode mode) {
    QFileDialog dialog(parent);
    dialog.setFileMode(mode);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(QtNameFilters(request.filter));
    QString suffix = request.default_suffix;
    dialog.setDefaultSuffix(suffix.remove(QStringLiteral("*.")));
    const QFileInfo start(request.start);
    if (!request.start.isEmpty() && start.isDir()) {
        dialog.setDirectory(start.absoluteFilePath());
    } else if (!request.start.isEmpty()) {
        dialog.setDirectory(start.absolutePath());
        dialog.selectFile(start.fileName());
    }
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.selectedFiles();
}

}  // namespace

QString QtUserPrompts::ChooseExistingFile(QWidget* parent, const FileDialogRequest& request) {
    const QStringList files = RunFileDialog(parent, request, QFileDialog::ExistingFile);
    return files.isEmpty() ? QString() : files.front();
}

QStringList QtUserPrompts::ChooseExistingFiles(QWidget* parent, const FileDialogRequest& request) {
    return RunFileDialog(parent, request, QFileDialog::ExistingFiles);
}

bool QtUserPrompts::AskYesNo(QWidget* parent, const QString& question) {
    return QMessageBox::question(parent, QString::fromLatin1(kMessageTitle), question,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void QtUserPrompts::Tell(QWidget* parent, const QString& message) {
    QMessageBox::warning(parent, QString::fromLatin1(kMessageTitle), message, QMessageBox::Ok);
}

UserPrompts& CurrentUserPrompts() {
    static QtUserPrompts qt;
    return g_installed != nullptr ? *g_installed : qt;
}

UserPrompts* SetUserPrompts(UserPrompts* prompts) {
    UserPrompts* previous = g_installed;
    g_installed = prompts;
    return previous;
}

QStringList QtNameFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& label = parts[i];
        const QString patterns = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
        // Qt reads the patterns from the last parentheses of a filter.
        filters << (label.endsWith(QLatin1Char('(') + patterns + QLatin1Char(')'))
                        ? label
                        : label + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    return filters;
}

}  // namespace tarsil
