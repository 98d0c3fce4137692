// A refresh that the handlers of a dialog request and that runs at the
// next tick of a timer: many actions in a row (a key typed, a button
// pressed, the notices they cause) cost one refresh.  The timer ticks every
// interval while started; a tick without a request does nothing.
#pragma once

#include <QObject>
#include <functional>

namespace tarsil::toolkit {

class CIdleRefresh : public QObject {
  public:
    CIdleRefresh(int intervalMs, std::function<void()> refresh, QObject* parent = nullptr);
    ~CIdleRefresh() override;

    void Start();
    void Stop();
    bool IsRunning() const { return timerId_ != 0; }
    void Request() { requested_ = true; }
    bool IsRequested() const { return requested_; }
    // Runs a requested refresh now, as a tick would.
    void RunIfRequested();

  protected:
    void timerEvent(QTimerEvent* event) override;

  private:
    int intervalMs_;
    std::function<void()> refresh_;
    int timerId_ = 0;
    bool requested_ = false;
};

}  // namespace tarsil::toolkit
