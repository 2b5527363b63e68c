#pragma once

#include "builtins.h"

#include <cstdint>

namespace vbs {

// The built-ins that run script text or name a script's procedure. Only the executor can parse
// and run script code, so it runs these itself; their table functions are never called.
enum class ScriptBuiltin : std::uint8_t { None, Eval, Execute, ExecuteGlobal, GetRef };

namespace fn {
Outcome Eval(Runtime& rt, const Variant* args, int count, Variant& out);
Outcome Execute(Runtime& rt, const Variant* args, int count, Variant& out);
Outcome ExecuteGlobal(Runtime& rt, const Variant* args, int count, Variant& out);
Outcome GetRef(Runtime& rt, const Variant* args, int count, Variant& out);
} // namespace fn

// Which of them the table function `f` stands for; None for every other built-in. Inline, as
// every built-in call asks.
inline ScriptBuiltin scriptBuiltin(BuiltinFn f) {
    if (f == fn::Eval) {
        return ScriptBuiltin::Eval;
    }
    if (f == fn::Execute) {
        return ScriptBuiltin::Execute;
    }
    if (f == fn::ExecuteGlobal) {
        return ScriptBuiltin::ExecuteGlobal;
    }
    return f == fn::GetRef ? ScriptBuiltin::GetRef : ScriptBuiltin::None;
}

} // namespace vbs
