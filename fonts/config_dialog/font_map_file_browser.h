#pragma once

// A path field with its own browse button.  Browsing asks for an existing
// font map file starting from the path shown, and shows what was chosen.
#include <QWidget>

class QLineEdit;
class QToolButton;

namespace tarsil {

inline constexpr char kFontMapFilter[] = "Tarsil font map files(*.map)|*.map|All files|*.*";

class CFontMapFileBrowser : public QWidget {
    Q_OBJECT
  public:
    explicit CFontMapFileBrowser(bool read_only, QWidget* parent = nullptr);

    QString Path() const;
    void SetPath(const QString& path);
    QLineEdit* Field() const { return field_; }
    QToolButton* BrowseButton() const { return browse_; }

    // Asks for a file, as the browse button does.  True when one was
    // chosen (it is then shown).
    bool Browse();

  signals:
    // The user chose a file with the browse button; it is shown already.
    void chosen(const QString& path);

  private:
    QLineEdit* field_;
    QToolButton* browse_;
};

}  // namespace tarsil
