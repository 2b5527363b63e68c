#pragma once

#include <QPushButton>

namespace quorvix::keypad {

// A two-state keypad button: a press (mouse, or Space while it has the focus) checks it and
// emits activated() once; returning to the released state raises a second toggled() that does
// nothing. The window connects activated() to a handler that runs the key's steps with
// runPress() (press_steps.h), whose "release" step calls release().
//
// If the handler does not release the button, the button releases itself when the handler
// returns, so it always ends released. Setting the button checked from the program acts like
// a press.
//
// A mouse click does not move the focus to the button (Qt::TabFocus), so the input line keeps
// its focus, cursor and selection while the button is clicked; the button is still a Tab stop
// for keyboard use.
class KeypadButton : public QPushButton {
    Q_OBJECT

public:
    explicit KeypadButton(const QString& caption, QWidget* parent = nullptr);

    // Back to the released state, without acting again.
    void release();

signals:
    // Once per press, while the button shows pressed.
    void activated();

private:
    void onToggled(bool checked);
};

} // namespace quorvix::keypad
