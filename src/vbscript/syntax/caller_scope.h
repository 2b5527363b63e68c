#pragma once

#include "ast.h"
#include "objects/class_def.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace vbs {

// The variables a text given to Execute or Eval inside a procedure sees: that procedure's own
// (its slots), then the members of Me's class, then the global names. A variable the text makes
// (Dim, or first use) becomes a further slot of the same procedure call.
struct CallerScope {
    // The running procedure: inside Function f, "f(...)" calls f again.
    const Procedure* proc = nullptr;
    const ClassDef* cls = nullptr;
    // Lower-case name to slot; grows by the variables the text makes.
    std::unordered_map<std::u16string, std::int32_t> locals;
    std::int32_t slotCount = 0;
    // Const in the text: slot and value, set before it runs.
    std::vector<std::pair<std::int32_t, Variant>> constants;
};

} // namespace vbs
