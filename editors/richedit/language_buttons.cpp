#include "editors/richedit/language_buttons.h"

#include "editors/language/input_language.h"
#include "toolkit/control_id/control_id.h"

namespace tarsil::editors {

CLanguageButton::CLanguageButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent) {
    // Checked is how a Qt push button shows itself pushed; nextCheckState
    // is empty, so only the handlers change it.
    setCheckable(true);
}

LanguageButtons CreateLanguageButtons(QWidget* dialog) {
    LanguageButtons buttons{new CLanguageButton(QStringLiteral("\u05E2"), dialog),
                            new CLanguageButton(QStringLiteral("E"), dialog)};
    toolkit::SetControlId(buttons.hebrew, kHebrewButtonId);
    toolkit::SetControlId(buttons.english, kEnglishButtonId);
    return buttons;
}

namespace {

void ShowPushed(QWidget* widget, bool pushed) {
    auto* button = qobject_cast<QAbstractButton*>(widget);
    if (button == nullptr) return;
    if (button->isCheckable()) {
        button->setChecked(pushed);
    } else {
        button->setDown(pushed);
    }
}

void SelectInput(QWidget* dialog, QWidget* focus_target, bool hebrew) {
    ShowLanguagePushed(dialog, hebrew);
    if (focus_target != nullptr) focus_target->setFocus(Qt::OtherFocusReason);
    InputLanguage::Instance().ActivateLayout(hebrew ? kHebrewLayout : kEnglishLayout);
}

}  // namespace

void ShowLanguagePushed(QWidget* dialog, bool hebrew) {
    ShowPushed(toolkit::FindControl(dialog, kHebrewButtonId), hebrew);
    ShowPushed(toolkit::FindControl(dialog, kEnglishButtonId), !hebrew);
}

void SelectHebrewInput(QWidget* dialog, QWidget* focus_target) {
    SelectInput(dialog, focus_target, true);
}

void SelectEnglishInput(QWidget* dialog, QWidget* focus_target) {
    SelectInput(dialog, focus_target, false);
}

void ConnectLanguageButtons(QWidget* dialog, std::function<QWidget*()> focus_target) {
    auto* hebrew = toolkit::FindControlAs<QAbstractButton>(dialog, kHebrewButtonId);
    auto* english = toolkit::FindControlAs<QAbstractButton>(dialog, kEnglishButtonId);
    if (hebrew != nullptr) {
        QObject::connect(hebrew, &QAbstractButton::clicked, dialog,
                         [dialog, focus_target] { SelectHebrewInput(dialog, focus_target()); });
    }
    if (english != nullptr) {
        QObject::connect(english, &QAbstractButton::clicked, dialog,
                         [dialog, focus_target] { SelectEnglishInput(dialog, focus_target()); });
    }
}

}  // namespace tarsil::editors
