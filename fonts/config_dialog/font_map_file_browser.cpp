#include "fonts/config_dialog/font_map_file_browser.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

#include "fonts/config_dialog/user_prompts.h"

namespace tarsil {

CFontMapFileBrowser::CFontMapFileBrowser(bool read_only, QWidget* parent)
    : QWidget(parent), field_(new QLineEdit(this)), browse_(new QToolButton(this)) {
    field_->setReadOnly(read_only);
    browse_->setText(QStringLiteral("..."));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(field_, 1);
    layout->addWidget(browse_);
    setFocusProxy(field_);
    connect(browse_, &QToolButton::clicked, this, [this] {
        if (Browse()) emit chosen(Path());
    });
}

QString CFontMapFileBrowser::Path() const {
    return field_->text();
}

void CFontMapFileBrowser::SetPath(const QString& path) {
    field_->setText(path);
    field_->setCursorPosition(0);
}

bool CFontMapFileBrowser::Browse() {
    const QString file = CurrentUserPrompts().ChooseExistingFile(
        window(), {Path(), QStringLiteral("*.map"), QString::fromLatin1(kFontMapFilter)});
    if (file.isEmpty()) return false;
    SetPath(file);
    return true;
}

}  // namespace tarsil
