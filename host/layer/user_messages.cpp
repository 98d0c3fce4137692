#include "host/layer/user_messages.h"

#include "cadhost/editor/cmdline.h"
#include "fonts/notify.h"

namespace tarsil::host {

namespace {

class HostAlertSink : public AlertSink {
  public:
    void Alert(const std::wstring& message) override { host::Alert(message); }
};

HostAlertSink g_host_sink;

}  // namespace

void Alert(const std::wstring& message) {
    acedAlert(message.c_str());
}

void Print(const std::wstring& text) {
    acutPrintf(L"%s", text.c_str());
}

HostAlertRouting::HostAlertRouting() : previous_(SetAlertSink(&g_host_sink)) {}

HostAlertRouting::~HostAlertRouting() {
    SetAlertSink(static_cast<AlertSink*>(previous_));
}

}  // namespace tarsil::host
