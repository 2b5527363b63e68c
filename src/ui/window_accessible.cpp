#include "window_accessible.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace quorvix::ui {

QAccessibleInterface* windowAccessible(const QString& className, QObject* object) {
    // Asked for each class of the object's hierarchy in turn: a widget with an interface of
    // its own (a menu, a dialog) never gets as far as QWidget.
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget || !widget->isWindow() || className != QLatin1String("QWidget")) {
        return nullptr;
    }
    return new QAccessibleWidget(widget, QAccessible::Window);
}

} // namespace quorvix::ui
