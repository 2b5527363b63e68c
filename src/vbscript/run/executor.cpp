#include "executor.h"
#include "executor_inline.h"

// The run as its host sees it: its start, its outcome, an answer's value, and the clock.

namespace vbs {

Executor::Executor(Runtime& runtime, GlobalTable& globals)
    : rt_(runtime), globals_(globals), heap_(*runtime.objects) {
    rt_.scriptCaller = &valueCaller_;
}

Executor::~Executor() {
    rt_.scriptCaller = nullptr;
}

void Executor::begin(std::chrono::steady_clock::time_point deadline, std::uintptr_t stackEnd) {
    rt_.deadline = deadline;
    ticks_ = 0;
    callDepth_ = 0;
    stack_.reset(stackEnd);
    stackEnd_ = stackEnd;
    topFrame_ = Frame{};
    enterFrame(topFrame_);
    withObjects_.clear();
    errors_.raised = ErrState{};
    errors_.failure = Outcome::Normal;
    errors_.expressionPos = kNoPosition;
}

// The run's outcome as its caller sees it: an exit that left the script level (Exit Do outside
// any loop cannot be parsed) counts as its end, an error is kept for errorNumber().
bool Executor::runBlock(const Block& block) {
    const Outcome o = execBlock(block);
    errors_.failure = isError(o) ? o : Outcome::Normal;
    return !isError(o);
}

bool Executor::evaluate(const Expr& e, Variant& out) {
    errors_.failure = eval(e, out);
    return errors_.failure == Outcome::Normal;
}

bool Executor::answerValue(Variant& v) {
    errors_.failure = v.isObject() && v.objectPtr() ? toValue(v) : Outcome::Normal;
    return errors_.failure == Outcome::Normal;
}

Outcome Executor::clockStillRunning() {
    ticks_ = 0;
    return rt_.mustEnd() ? Outcome::Timeout : Outcome::Normal;
}

} // namespace vbs
