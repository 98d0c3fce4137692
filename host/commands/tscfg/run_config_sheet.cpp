#include <QWidget>

#include "fonts/config_dialog/cfg_font_recognition_page.h"
#include "fonts/config_dialog/cfg_general_page.h"
#include "fonts/config_dialog/tarsil_prop.h"
#include "fonts/wh_config.h"
#include "host/commands/tscfg/tscfg_command.h"
#include "host/layer/command_group.h"

namespace tarsil {

void RunConfigurationSheet(QWidget* parent) {
    // The module's resources are current while its sheet shows.
    host::ModuleResourceScope resources(
        static_cast<HINSTANCE>(const_cast<void*>(CWhConfig::Instance().GetModuleHandle())));
    CTarsilProp sheet(parent);
    sheet.AddPage(new CPpCfgGeneral(QStringLiteral(TARSIL_FILE_VERSION)));
    sheet.AddPage(new CPpCfgFontRecognition);
    sheet.exec();
}

}  // namespace tarsil
