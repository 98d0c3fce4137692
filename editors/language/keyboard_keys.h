// Keys as the active layout types them, for any widget that takes typing:
// the Alt+Shift switch between layouts, and the text of a key press with
// the Hebrew layout active.
#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "editors/language/keyboard_layouts.h"

class QKeyEvent;

namespace tarsil::editors {

// Alt pressed while Shift is held, or Shift while Alt is held, and no
// other modifier: the desktop's switch to the next layout.
bool IsLayoutToggleKey(const QKeyEvent& event);

// The text a key press types with `layout` active, from the text the key
// would type on a US keyboard.  Only the Hebrew layout changes it.
QString TypedText(const QString& produced, LayoutId layout);

// The key press as the layout types it; null when the text stays the same
// (the English layout, keys without text, digits, Ctrl and Alt shortcuts).
// A keyboard whose own layout types Hebrew letters is left alone: once a
// key has typed a Hebrew letter, nothing is translated until a key types a
// Latin letter again.
std::unique_ptr<QKeyEvent> TranslatedKeyEvent(const QKeyEvent& event, LayoutId layout);

// For widgets that do not handle keys themselves: installed on a widget
// (QObject::installEventFilter), toggles the thread's layout on Alt+Shift
// and hands the widget Hebrew letters for Latin keys while Hebrew is active.
class LayoutKeyFilter : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool passing_on_ = false;
};

}  // namespace tarsil::editors
