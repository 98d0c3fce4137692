#include "editors/language/widget_edge.h"

#include "editors/language/hebrew_keymap.h"

namespace tarsil::editors {

static_assert(kLastEngineLetter - kFirstEngineLetter == kLastHebrewLetter - kFirstHebrewLetter,
              "the two layouts hold the same 27 letters in the same order");
static_assert(sizeof(wchar_t) == 4, "engine text holds one code point per wchar_t");

char32_t EngineToWidget(char32_t c) {
    if (c >= kFirstEngineLetter && c <= kLastEngineLetter) {
        return c - kFirstEngineLetter + kFirstHebrewLetter;
    }
    return c;
}

char32_t WidgetToEngine(char32_t c) {
    if (IsHebrewLetter(c)) return c - kFirstHebrewLetter + kFirstEngineLetter;
    return c;
}

QString ToWidgetText(std::wstring_view engine_text) {
    QString widget;
    widget.reserve(static_cast<qsizetype>(engine_text.size()));
    for (const wchar_t w : engine_text) {
        const char32_t c = EngineToWidget(static_cast<char32_t>(w));
        if (c < 0x10000) {
            // Lone surrogates too: they come back from FromWidgetText as they went.
            widget.append(QChar(static_cast<char16_t>(c)));
        } else {
            widget.append(QString::fromUcs4(&c, 1));
        }
    }
    return widget;
}

std::wstring FromWidgetText(const QString& widget_text) {
    std::wstring engine;
    engine.reserve(static_cast<std::size_t>(widget_text.size()));
    // Lone surrogates come out of toUcs4 as U+FFFD, so walk the UTF-16 by hand
    // to give them back exactly as they were.
    const qsizetype n = widget_text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t unit = widget_text.at(i).unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < n &&
            QChar::isLowSurrogate(widget_text.at(i + 1).unicode())) {
            engine.push_back(static_cast<wchar_t>(
                QChar::surrogateToUcs4(unit, widget_text.at(i + 1).unicode())));
            ++i;
            continue;
        }
        engine.push_back(static_cast<wchar_t>(WidgetToEngine(unit)));
    }
    return engine;
}

}  // namespace tarsil::editors
