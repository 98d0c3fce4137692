#pragma once

class QWidget;

namespace tarsil {

// TSCFG: shows the configuration sheet modally over the host's window;
// without a window it says so in one line and ends.
void TscfgCommand();

// Shows the configuration sheet modally over parent.
void RunConfigurationSheet(QWidget* parent);

}  // namespace tarsil
