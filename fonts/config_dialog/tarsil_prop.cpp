#include "fonts/config_dialog/tarsil_prop.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tarsil {

CfgPropertyPage::CfgPropertyPage(const QString& title, QWidget* parent)
    : QWidget(parent), title_(title) {}

void CfgPropertyPage::SetModified(bool modified) {
    if (modified_ == modified) return;
    modified_ = modified;
    emit modifiedChanged(modified);
}

CTarsilProp::CTarsilProp(QWidget* parent) : QDialog(parent), tabs_(new QTabWidget(this)) {
    setWindowTitle(QStringLiteral("Tarsil2"));
    setObjectName(QStringLiteral("TarsilProp"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* buttons = new QDialogButtonBox(this);
    // The sheet's Cancel, shown as "Exit": it closes without applying.
    exit_ = buttons->addButton(QStringLiteral("Exit"), QDialogButtonBox::RejectRole);
    apply_ = buttons->addButton(QDialogButtonBox::Apply);
    apply_->setEnabled(false);
    exit_->setDefault(true);
    connect(exit_, &QPushButton::clicked, this, &QDialog::reject);
    connect(apply_, &QPushButton::clicked, this, &CTarsilProp::Apply);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_, 1);
    layout->addWidget(buttons);
}

void CTarsilProp::AddPage(CfgPropertyPage* page) {
    pages_.push_back(page);
    tabs_->addTab(page, page->Title());
    connect(page, &CfgPropertyPage::modifiedChanged, this, &CTarsilProp::UpdateApply);
    UpdateApply();
}

CfgPropertyPage* CTarsilProp::Page(int index) const {
    return index >= 0 && index < PageCount() ? pages_[index] : nullptr;
}

void CTarsilProp::SetActivePage(int index) {
    tabs_->setCurrentIndex(index);
}

void CTarsilProp::Apply() {
    for (CfgPropertyPage* page : pages_) {
        if (page->IsModified() && page->OnApply()) page->SetModified(false);
    }
    UpdateApply();
}

void CTarsilProp::UpdateApply() {
    bool any = false;
    for (const CfgPropertyPage* page : pages_) any = any || page->IsModified();
    apply_->setEnabled(any);
}

}  // namespace tarsil
