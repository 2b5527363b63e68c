#include "../table_rows.h"
#include "edit_case.h"
#include "press_steps.h"

#include <string>

namespace quorvix::keypad {
namespace {

using testing_rows::PrintTo;

struct StepCase {
    const char* name;
    StepOrder order;
    const char* steps;
};

const StepCase kStepOrders[] = {
    {"InsertionBackspaceExpGetVar", StepOrder::EditReleaseFocus, "edit release focus "},
    {"DPointPosNeg", StepOrder::EditReleaseFocusCursorToEnd, "edit release focus end "},
    {"Clear", StepOrder::ClearEvaluateReleaseFocusCursorToEnd, "edit evaluate release focus end "},
    {"Equals", StepOrder::FocusEvaluateRelease, "focus evaluate release "},
    {"SetVar", StepOrder::EditFocusEvaluateRelease, "edit focus evaluate release "},
};

class RunPress : public testing::TestWithParam<StepCase> {};

TEST_P(RunPress, CallsStepsInOrder) {
    std::string log;
    const auto step = [&log](const char* name) { return [&log, name] { (log += name) += ' '; }; };
    runPress(GetParam().order,
             {step("edit"), step("evaluate"), step("release"), step("focus"), step("end")});
    EXPECT_EQ(log, GetParam().steps);
}

INSTANTIATE_TEST_SUITE_P(Rows, RunPress, testing::ValuesIn(kStepOrders), testing_rows::RowName());

} // namespace
} // namespace quorvix::keypad
