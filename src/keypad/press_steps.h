#pragma once

#include "key_table.h"

#include <functional>

namespace quorvix::keypad {

// The window's part of one keypad press. runPress() calls these in the order of the key's
// StepOrder, so the order lives here and the window only supplies the steps:
//
//     connect(button, &KeypadButton::activated, this, [=] {
//         runPress(key.steps, {
//             .edit = [&] { writeLine(applyKeyEdit(key, readLine())); },
//             .evaluate = [&] { evaluateInput(); },
//             .release = [&] { button->release(); },
//             .focus = [&] { command->setFocus(); },
//             .cursorToEnd = [&] { moveCursorToEnd(); },
//         });
//     });
//
// A step that a key's order does not use is never called and may be left out; an empty step
// is skipped. The "= {}" lets a designated initializer leave steps out without a warning.
struct PressSteps {
    std::function<void()> edit = {};     // the key's edit of the input line (C: empty it)
    std::function<void()> evaluate = {}; // run the evaluation command
    std::function<void()> release = {};  // KeypadButton::release()
    std::function<void()> focus = {};    // focus to the input line, its cursor and selection kept
    std::function<void()> cursorToEnd = {}; // cursor to the end of the text, nothing selected
};

void runPress(StepOrder order, const PressSteps& steps);

} // namespace quorvix::keypad
