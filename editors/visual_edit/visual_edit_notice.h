// The private notifications the visual edit control sends its owner: a
// change of input language, of direction and of alignment, and the end of a
// reordering for a new direction.  Delivered at once (sendEvent), like the
// messages a dialog receives from its controls.
#pragma once

#include <QEvent>

namespace tarsil::visual {

inline constexpr int kNoticeInputLanguage = 0x2C02;  // wParam language, lParam layout
inline constexpr int kNoticeDirection = 0x2D02;      // wParam 1 ltr, 2 rtl
inline constexpr int kNoticeAlignment = 0x2E02;      // wParam 1 left, 2 right
inline constexpr int kNoticeReordered = 0x2F02;      // wParam 1 ltr, 2 rtl

class VisualEditNotice : public QEvent {
  public:
    VisualEditNotice(int message, long long wParam, long long lParam)
        : QEvent(Type()), message_(message), wParam_(wParam), lParam_(lParam) {}
    static QEvent::Type Type() {
        static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }
    int Message() const { return message_; }
    long long WParam() const { return wParam_; }
    long long LParam() const { return lParam_; }

  private:
    int message_;
    long long wParam_;
    long long lParam_;
};

}  // namespace tarsil::visual
