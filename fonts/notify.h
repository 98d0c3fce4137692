#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace tarsil {

// Messages that stop an operation are shown to the user in a message box
// with an OK button.  Everything below the host layer reports them here;
// the host layer installs a sink that forwards them to the host's alert,
// and tests install one that records them.  Without a sink they go to
// standard error.
class AlertSink {
  public:
    virtual ~AlertSink() = default;
    virtual void Alert(const std::wstring& message) = 0;
};

// Installs sink (null restores the standard error default) and returns the
// one installed before.  The sink is not owned.
AlertSink* SetAlertSink(AlertSink* sink);

void ShowAlert(const std::wstring& message);

// Formats a message whose "%s" markers are replaced, in order, by args.
std::wstring FormatMessage(std::wstring_view pattern, std::initializer_list<std::wstring> args);

}  // namespace tarsil
