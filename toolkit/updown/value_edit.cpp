#include "toolkit/updown/value_edit.h"

#include <QKeyEvent>
#include <cwchar>
#include <string>

namespace tarsil::toolkit {

CValueEdit::CValueEdit(const char* format, QWidget* parent) : QLineEdit(parent), format_(format) {}

void CValueEdit::SetValue(double value) {
    setText(QString::asprintf(format_, value));
}

double CValueEdit::Value() const {
    const std::wstring text = this->text().toStdWString();
    return std::wcstod(text.c_str(), nullptr);
}

void CValueEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        emit ApplyRequested();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CValueEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    emit ApplyRequested();
}

}  // namespace tarsil::toolkit
