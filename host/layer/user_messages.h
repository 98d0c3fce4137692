#pragma once

#include <string>

namespace tarsil::host {

// A message box that stops an operation (a command-line line without a window).
void Alert(const std::wstring& message);
// Text on the host's command line, as it is (no format markers).
void Print(const std::wstring& text);

// While alive, alerts raised below the host layer (tarsil::ShowAlert) go
// to the host's message box.
class HostAlertRouting {
  public:
    HostAlertRouting();
    ~HostAlertRouting();
    HostAlertRouting(const HostAlertRouting&) = delete;
    HostAlertRouting& operator=(const HostAlertRouting&) = delete;

  private:
    void* previous_;
};

}  // namespace tarsil::host
