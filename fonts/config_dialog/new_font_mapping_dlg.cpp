#include "fonts/config_dialog/new_font_mapping_dlg.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "fonts/atomic_file.h"
#include "fonts/config_dialog/config_messages.h"
#include "fonts/config_dialog/font_map_file_browser.h"
#include "fonts/config_dialog/qt_paths.h"
#include "fonts/config_dialog/user_prompts.h"
#include "fonts/file_bytes.h"
#include "fonts/wh_config.h"

namespace tarsil {

namespace fs = std::filesystem;

namespace {

// Copies source over target as one replacement, so that a failure leaves
// a map of that name as it was.
bool CopyMapFile(const fs::path& source, const fs::path& target) {
    const int fd = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const std::string bytes = ReadAllBytes(fd);
    ::close(fd);
    std::error_code ec;
    if (fs::is_directory(source, ec)) return false;
    return ReplaceFileContents(target, bytes, nullptr);
}

}  // namespace

CNewFontMappingDlg::CNewFontMappingDlg(QWidget* parent)
    : QDialog(parent), name_(new QLineEdit(this)), source_(new CFontMapFileBrowser(false, this)) {
    setWindowTitle(QStringLiteral("New Font Map"));
    setObjectName(QStringLiteral("NewFontMap"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    name_->setText(QStringLiteral("NewFontMap"));
    name_->selectAll();

    auto* form = new QFormLayout;
    form->setRowWrapPolicy(QFormLayout::WrapAllRows);
    form->addRow(QStringLiteral("New map name:"), name_);
    form->addRow(QStringLiteral("Source file (leave blank to create an empty map):"), source_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CNewFontMappingDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    resize(420, sizeHint().height());
}

void CNewFontMappingDlg::accept() {
    const QString name = name_->text();
    if (name.isEmpty()) {
        CurrentUserPrompts().Tell(this, QString::fromLatin1(kEmptyNewMapNameMessage));
        return;
    }
    CWhConfig& config = CWhConfig::Instance();
    const QString source_text = source_->Path();
    const fs::path source = QStringToPath(source_text);
    const fs::path folder =
        source_text.isEmpty() ? config.GetModuleDirectory() : source.parent_path();
    fs::path target = folder / QStringToPath(name);
    if (!QStringToPath(name).has_extension()) target += ".map";

    if (source_text.isEmpty()) {
        // The file is made, empty, when the page reads it.
        config.SetCurrentFontMapPath(target);
    } else if (CopyMapFile(source, target)) {
        config.SetCurrentFontMapPath(target);
    } else {
        CurrentUserPrompts().Tell(this, QString::fromLatin1(kNewMapFailedMessage));
    }
    QDialog::accept();
}

}  // namespace tarsil
