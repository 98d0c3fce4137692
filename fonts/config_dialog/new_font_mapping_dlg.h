#pragma once

// "New Font Map": a new map file, empty or copied from another, becomes
// the current font map.
#include <QDialog>

class QLineEdit;

namespace tarsil {

class CFontMapFileBrowser;

class CNewFontMappingDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CNewFontMappingDlg(QWidget* parent = nullptr);

    QLineEdit* NameField() const { return name_; }
    CFontMapFileBrowser* SourceField() const { return source_; }

    // OK: an empty name is refused with a message and the dialog stays.
    // Otherwise the new map is made (copied from the source file when one
    // is given, into the source's folder, else named in the module's
    // folder) and made the current font map; a failed copy is reported and
    // leaves the current map as it was.  The dialog closes in both cases.
    void accept() override;

  private:
    QLineEdit* name_;
    CFontMapFileBrowser* source_;
};

}  // namespace tarsil
