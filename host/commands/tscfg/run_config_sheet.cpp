#include <QWidget>

#include "fonts/config_dialog/cfg_font_recognition_page.h"
#include "fonts/config_dialog/cfg_general_page.h"
#include "fonts/config_dialog/tarsil_prop.h"
#include "host/commands/tscfg/tscfg_command.h"

namespace tarsil {

void RunConfigurationSheet(QWidget* parent) {
    CTarsilProp sheet(parent);
    sheet.AddPage(new CPpCfgGeneral(QStringLiteral(TARSIL_FILE_VERSION)));
    sheet.AddPage(new CPpCfgFontRecognition);
    sheet.exec();
}

}  // namespace tarsil
