#include "toolkit/control_id/control_id.h"

#include <QVariant>

namespace tarsil::toolkit {

namespace {

constexpr char kIdProperty[] = "tarsilControlId";

}  // namespace

void SetControlId(QWidget* widget, int id) {
    if (widget == nullptr) return;
    widget->setProperty(kIdProperty, id);
    widget->setObjectName(QStringLiteral("control%1").arg(id));
}

int ControlId(const QWidget* widget) {
    if (widget == nullptr) return -1;
    bool ok = false;
    const int id = widget->property(kIdProperty).toInt(&ok);
    return ok ? id : -1;
}

QWidget* FindControl(const QWidget* dialog, int id) {
    if (dialog == nullptr) return nullptr;
    for (QWidget* child : dialog->findChildren<QWidget*>()) {
        if (ControlId(child) == id) return child;
    }
    return nullptr;
}

}  // namespace tarsil::toolkit
