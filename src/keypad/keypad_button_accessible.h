#pragma once

#include <QAccessibleWidget>

namespace quorvix::keypad {

// What assistive technology sees of a KeypadButton: a push button that can be pressed. The
// button is checkable only to show the press; seen as a check box, a screen reader would call
// every key "not checked" and speak each press as a change of state.
class KeypadButtonAccessible : public QAccessibleWidget {
public:
    explicit KeypadButtonAccessible(QWidget* button);

    QString text(QAccessible::Text text) const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

    // The factory for QAccessible::installFactory.
    static QAccessibleInterface* create(const QString& className, QObject* object);
    // Installs the factory, and keeps the check state changes of the keys from assistive
    // technology: a key is checked only while its press runs, and a push button has no state
    // to announce. Once per program; later calls do nothing.
    static void install();
};

} // namespace quorvix::keypad
