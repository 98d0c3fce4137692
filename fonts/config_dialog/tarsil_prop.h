#pragma once

// The configuration sheet of the TSCFG command: pages in tabs, with Apply
// and Exit.  There is no OK: changes take effect only through Apply, and
// Exit drops what was not applied.
#include <QDialog>
#include <QWidget>
#include <vector>

class QPushButton;
class QTabWidget;

namespace tarsil {

// A page of the sheet.  A page that the user changed calls SetModified,
// which enables the sheet's Apply; Apply calls OnApply of each modified
// page and clears the mark of those that succeeded.
class CfgPropertyPage : public QWidget {
    Q_OBJECT
  public:
    explicit CfgPropertyPage(const QString& title, QWidget* parent = nullptr);
    const QString& Title() const { return title_; }
    bool IsModified() const { return modified_; }
    void SetModified(bool modified = true);
    // False keeps the page marked modified.
    virtual bool OnApply() { return true; }

  signals:
    void modifiedChanged(bool modified);

  private:
    QString title_;
    bool modified_ = false;
};

class CTarsilProp : public QDialog {
    Q_OBJECT
  public:
    explicit CTarsilProp(QWidget* parent);

    void AddPage(CfgPropertyPage* page);  // the sheet takes it
    CfgPropertyPage* Page(int index) const;
    int PageCount() const { return static_cast<int>(pages_.size()); }
    void SetActivePage(int index);

    QPushButton* ApplyButton() const { return apply_; }
    QPushButton* ExitButton() const { return exit_; }

  public slots:
    // Applies every modified page; Apply is enabled again only by a change.
    void Apply();

  private:
    void UpdateApply();

    QTabWidget* tabs_;
    QPushButton* apply_;
    QPushButton* exit_;
    std::vector<CfgPropertyPage*> pages_;
};

}  // namespace tarsil
