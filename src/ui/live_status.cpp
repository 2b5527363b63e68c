#include "live_status.h"

namespace quorvix::ui {

LiveStatus::LiveStatus(QWidget* parent) : QLabel(parent) {
    // Installing the same factory again does nothing.
    QAccessible::installFactory(&LiveStatusAccessible::create);
}

void LiveStatus::say(const QString& text) {
    setText(text);
    if (isVisible() && !text.isEmpty()) {
        QAccessibleEvent shown(this, QAccessible::ObjectShow);
        QAccessible::updateAccessibility(&shown);
    }
}

LiveStatusAccessible::LiveStatusAccessible(QWidget* status)
    : QAccessibleWidget(status, QAccessible::Notification) {}

QString LiveStatusAccessible::text(QAccessible::Text text) const {
    // The text is the news, so it is the name.
    if (text == QAccessible::Name) {
        return static_cast<LiveStatus*>(widget())->text();
    }
    return QAccessibleWidget::text(text);
}

QAccessibleInterface* LiveStatusAccessible::create(const QString& className, QObject* object) {
    auto* status = qobject_cast<LiveStatus*>(object);
    if (!status || className != QLatin1String(LiveStatus::staticMetaObject.className())) {
        return nullptr;
    }
    return new LiveStatusAccessible(status);
}

} // namespace quorvix::ui
