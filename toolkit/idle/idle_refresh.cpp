#include "toolkit/idle/idle_refresh.h"

#include <QTimerEvent>

namespace tarsil::toolkit {

CIdleRefresh::CIdleRefresh(int intervalMs, std::function<void()> refresh, QObject* parent)
    : QObject(parent), intervalMs_(intervalMs), refresh_(std::move(refresh)) {}

CIdleRefresh::~CIdleRefresh() {
    Stop();
}

void CIdleRefresh::Start() {
    if (timerId_ == 0) timerId_ = startTimer(intervalMs_);
}

void CIdleRefresh::Stop() {
    if (timerId_ != 0) killTimer(timerId_);
    timerId_ = 0;
}

void CIdleRefresh::RunIfRequested() {
    if (!requested_) return;
    // Cleared first: the refresh may itself cause a request, which waits
    // for the next tick instead of looping.
    requested_ = false;
    if (refresh_) refresh_();
}

void CIdleRefresh::timerEvent(QTimerEvent* event) {
    if (event->timerId() == timerId_) {
        RunIfRequested();
        return;
    }
    QObject::timerEvent(event);
}

}  // namespace tarsil::toolkit
