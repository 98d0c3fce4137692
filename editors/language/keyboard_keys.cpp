#include "editors/language/keyboard_keys.h"

#include <QCoreApplication>
#include <QKeyEvent>

#include "editors/language/hebrew_keymap.h"
#include "editors/language/input_language.h"

namespace tarsil::editors {

bool IsLayoutToggleKey(const QKeyEvent& event) {
    if (event.type() != QEvent::KeyPress) return false;
    const Qt::KeyboardModifiers others =
        event.modifiers() & ~(Qt::AltModifier | Qt::ShiftModifier | Qt::KeypadModifier);
    if (others != Qt::NoModifier) return false;
    if (event.key() == Qt::Key_Shift) return event.modifiers().testFlag(Qt::AltModifier);
    if (event.key() == Qt::Key_Alt) return event.modifiers().testFlag(Qt::ShiftModifier);
    return false;
}

QString TypedText(const QString& produced, LayoutId layout) {
    if (CharsetOfLayout(layout) != kHebrewCharset) return produced;
    QString typed;
    typed.reserve(produced.size());
    for (const char32_t c : produced.toUcs4()) {
        const char32_t mapped = HebrewLayoutCharacter(c);
        typed.append(QString::fromUcs4(&mapped, 1));
    }
    return typed;
}

namespace {

// Whether the keyboard's own layout types Hebrew letters, as the last letter
// key told: then its punctuation is already where a Hebrew typist expects
// it and nothing is translated, until a Latin letter arrives again.
thread_local bool keyboard_types_hebrew = false;

void NoteKeyboardLayout(const QString& text) {
    for (const QChar c : text) {
        if (IsHebrewLetter(c.unicode())) {
            keyboard_types_hebrew = true;
        } else if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')) {
            keyboard_types_hebrew = false;
        }
    }
}

}  // namespace

std::unique_ptr<QKeyEvent> TranslatedKeyEvent(const QKeyEvent& event, LayoutId layout) {
    if (event.text().isEmpty()) return nullptr;
    // Shortcuts keep their Latin keys: Ctrl+C copies in either layout.
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        return nullptr;
    }
    NoteKeyboardLayout(event.text());
    if (keyboard_types_hebrew) return nullptr;
    const QString typed = TypedText(event.text(), layout);
    if (typed == event.text()) return nullptr;
    return std::make_unique<QKeyEvent>(event.type(), event.key(), event.modifiers(),
                                       event.nativeScanCode(), event.nativeVirtualKey(),
                                       event.nativeModifiers(), typed, event.isAutoRepeat(),
                                       static_cast<quint16>(event.count()));
}

bool LayoutKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    InputLanguage& language = InputLanguage::Instance();
    if (IsLayoutToggleKey(*key)) {
        language.ToggleLayout();
        return false;
    }
    if (passing_on_) return false;
    std::unique_ptr<QKeyEvent> translated = TranslatedKeyEvent(*key, language.CurrentLayout());
    if (!translated) return false;
    // The translated press goes through untouched: translating it again would
    // turn a mirrored ')' back into '('.
    passing_on_ = true;
    QCoreApplication::sendEvent(watched, translated.get());
    passing_on_ = false;
    return true;
}

}  // namespace tarsil::editors
