#pragma once

#include "limits/script_limits.h"
#include "objects/class_def.h"
#include "public/memory_budget.h"
#include "syntax/ast.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <unordered_map>

namespace vbs {

// The variables that text given to Execute or Eval made in a running procedure, beyond the
// procedure's own slots (slot proc->slotCount + i is values[i]).
struct TextLocals {
    explicit TextLocals(Budget b) : budget(std::move(b)) {}
    ~TextLocals() { budget->remove(counted); }
    TextLocals(const TextLocals&) = delete;
    TextLocals& operator=(const TextLocals&) = delete;

    std::unordered_map<std::u16string, std::int32_t> names;
    std::deque<Variant> values; // never moves an element, as slots point at them
    // What the names take, held in the budget while the call lasts: a loop that makes a new
    // name each pass stays bounded.
    Budget budget;
    std::size_t counted = 0;
};

// The variables of one running procedure (or of the script level, which has none).
struct Frame {
    const Procedure* proc = nullptr;
    // Where each slot lives: the frame's own storage, or the caller's variable for a ByRef
    // argument.
    Variant** slots = nullptr;
    bool resumeNext = false;
    // The instance a class's procedure runs for (Me); null elsewhere.
    ClassInstance* me = nullptr;
    // With blocks are lexical: a procedure sees only those it opened itself, the ones from
    // this index of Executor::withObjects_ on.
    std::size_t withBase = 0;
    // Made by the first Execute or Eval run in this call; shared with the texts they run.
    std::shared_ptr<TextLocals> textLocals;
};

// An array element passed to a ByRef parameter: where it was, and the callee's slot that
// holds its copy during the call (written back by ArgumentBinder::finish).
struct ElementArgument {
    Variant* array = nullptr;
    std::size_t slot = 0;
    std::size_t count = 0;
    std::int32_t index[limits::kMaxDimensions];
};

} // namespace vbs
