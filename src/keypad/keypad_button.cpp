#include "keypad_button.h"

#include "keypad_button_accessible.h"

namespace quorvix::keypad {

KeypadButton::KeypadButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
    // Seen by assistive technology as a push button, not as the check box Qt makes of a
    // checkable button.
    KeypadButtonAccessible::install();
    setCheckable(true);
    setFocusPolicy(Qt::TabFocus);
    // Enter is left to the window's default button.
    setAutoDefault(false);
    connect(this, &QAbstractButton::toggled, this, &KeypadButton::onToggled);
}

void KeypadButton::release() {
    setChecked(false);
}

void KeypadButton::onToggled(bool checked) {
    // The release raises this a second time with checked false: that one must not act.
    if (!checked) {
        return;
    }
    emit activated();
    release();
}

} // namespace quorvix::keypad
