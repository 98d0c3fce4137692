// Dialog controls are known by the numeric ids of their templates (1116 for
// the Hebrew button, 1004 for an edit, ...): a dialog gives each control its
// id once, and code that knows only the dialog finds the control by it.
#pragma once

#include <QWidget>

namespace tarsil::toolkit {

// Gives widget the id; the object name becomes "control<id>" as well, so
// style sheets and tests can name it.
void SetControlId(QWidget* widget, int id);
// The widget's id; -1 when it has none.
int ControlId(const QWidget* widget);
// The first descendant of dialog with that id, or null.
QWidget* FindControl(const QWidget* dialog, int id);

template <class T>
T* FindControlAs(const QWidget* dialog, int id) {
    return qobject_cast<T*>(FindControl(dialog, id));
}

}  // namespace tarsil::toolkit
