#pragma once

#include "fonts/config_dialog/tarsil_prop.h"

class QLabel;

namespace tarsil {

// The sheet's information page: a picture and the module's version.  It
// has no settings.
class CPpCfgGeneral : public CfgPropertyPage {
    Q_OBJECT
  public:
    // file_version as the module file carries it ("2,0,0,0").
    explicit CPpCfgGeneral(const QString& file_version, QWidget* parent = nullptr);
    QString VersionText() const;

  private:
    QLabel* version_;
};

// "Version 2.0.0.0" for a file version "2,0,0,0".
QString VersionLine(const QString& file_version);

}  // namespace tarsil
