#include "keypad_button_accessible.h"

#include "keypad_button.h"

namespace quorvix::keypad {

namespace {

// The handler that was there before, or nullptr for Qt's own delivery to the platform.
QAccessible::UpdateHandler g_nextHandler = nullptr;

void withoutKeyChecks(QAccessibleEvent* event) {
    if (event->type() == QAccessible::StateChanged &&
        qobject_cast<KeypadButton*>(event->object()) &&
        static_cast<QAccessibleStateChangeEvent*>(event)->changedStates().checked) {
        return;
    }
    if (g_nextHandler) {
        g_nextHandler(event);
        return;
    }
    // Qt delivers to the platform only while no handler is installed.
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(&withoutKeyChecks);
}

} // namespace

void KeypadButtonAccessible::install() {
    static const bool installed = [] {
        QAccessible::installFactory(&KeypadButtonAccessible::create);
        g_nextHandler = QAccessible::installUpdateHandler(&withoutKeyChecks);
        return true;
    }();
    (void)installed;
}

KeypadButtonAccessible::KeypadButtonAccessible(QWidget* button)
    : QAccessibleWidget(button, QAccessible::Button) {}

QString KeypadButtonAccessible::text(QAccessible::Text text) const {
    const QString own = QAccessibleWidget::text(text);
    // Without a name of its own the key is called by its caption, as other buttons are.
    if (text == QAccessible::Name && own.isEmpty()) {
        return static_cast<KeypadButton*>(widget())->text();
    }
    return own;
}

QStringList KeypadButtonAccessible::actionNames() const {
    return QStringList{pressAction()} + QAccessibleWidget::actionNames();
}

void KeypadButtonAccessible::doAction(const QString& actionName) {
    if (actionName == pressAction()) {
        static_cast<KeypadButton*>(widget())->click();
    } else {
        QAccessibleWidget::doAction(actionName);
    }
}

QAccessibleInterface* KeypadButtonAccessible::create(const QString& className, QObject* object) {
    auto* button = qobject_cast<KeypadButton*>(object);
    if (!button || className != QLatin1String(KeypadButton::staticMetaObject.className())) {
        return nullptr;
    }
    return new KeypadButtonAccessible(button);
}

} // namespace quorvix::keypad
