#include "press_steps.h"

namespace quorvix::keypad {

namespace {

void run(const std::function<void()>& step) {
    if (step) {
        step();
    }
}

} // namespace

void runPress(StepOrder order, const PressSteps& steps) {
    switch (order) {
    case StepOrder::EditReleaseFocus:
        run(steps.edit);
        run(steps.release);
        run(steps.focus);
        return;
    case StepOrder::EditReleaseFocusCursorToEnd:
        run(steps.edit);
        run(steps.release);
        run(steps.focus);
        run(steps.cursorToEnd);
        return;
    case StepOrder::ClearEvaluateReleaseFocusCursorToEnd:
        run(steps.edit);
        run(steps.evaluate);
        run(steps.release);
        run(steps.focus);
        run(steps.cursorToEnd);
        return;
    case StepOrder::FocusEvaluateRelease:
        // The evaluation selects the whole line; focusing first keeps that selection.
        run(steps.focus);
        run(steps.evaluate);
        run(steps.release);
        return;
    case StepOrder::EditFocusEvaluateRelease:
        run(steps.edit);
        run(steps.focus);
        run(steps.evaluate);
        run(steps.release);
        return;
    }
}

} // namespace quorvix::keypad
