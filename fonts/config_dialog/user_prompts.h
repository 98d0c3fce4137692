#pragma once

// The questions the configuration dialog asks the user outside its own
// pages: file dialogs and message boxes.  They go through one replaceable
// object, so that tests can answer them without a modal loop.
#include <QString>
#include <QStringList>

class QWidget;

namespace tarsil {

// A filter in the "label|pattern|label|pattern" form the dialogs are
// described with.
struct FileDialogRequest {
    QString start;           // the file or folder the dialog opens at
    QString default_suffix;  // "*.map" or "map": added to a name typed without one
    QString filter;
};

class UserPrompts {
  public:
    virtual ~UserPrompts() = default;
    // An existing file; empty when the user cancels.
    virtual QString ChooseExistingFile(QWidget* parent, const FileDialogRequest& request) = 0;
    // Existing files; empty when the user cancels.
    virtual QStringList ChooseExistingFiles(QWidget* parent, const FileDialogRequest& request) = 0;
    // Yes or No.
    virtual bool AskYesNo(QWidget* parent, const QString& question) = 0;
    // A message with an OK button.
    virtual void Tell(QWidget* parent, const QString& message) = 0;
};

// Qt's file dialogs and message boxes, used unless another is installed.
class QtUserPrompts : public UserPrompts {
  public:
    QString ChooseExistingFile(QWidget* parent, const FileDialogRequest& request) override;
    QStringList ChooseExistingFiles(QWidget* parent, const FileDialogRequest& request) override;
    bool AskYesNo(QWidget* parent, const QString& question) override;
    void Tell(QWidget* parent, const QString& message) override;
};

UserPrompts& CurrentUserPrompts();
// Installs prompts (null restores Qt's) and returns the one installed
// before.  Not owned.
UserPrompts* SetUserPrompts(UserPrompts* prompts);

// "Label(*.map)|*.map|All files|*.*" as Qt's name filters.
QStringList QtNameFilters(const QString& filter);

// The title of the module's message boxes.
inline constexpr char kMessageTitle[] = "Tarsil2";

}  // namespace tarsil
