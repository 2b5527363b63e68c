#pragma once

#include "builtins.h"

#include <cstdint>

namespace vbs {

// The built-ins that run script text or name a script's procedure. Only the executor can parse
// and run script code, so it runs these itself; their table functions are never called.
enum class ScriptBuiltin : std::uint8_t { None, Eval, Execute, ExecuteGlobal, GetRef };

// Which of them the table function `f` stands for; None for every other built-in.
ScriptBuiltin scriptBuiltin(BuiltinFn f);

namespace fn {
ErrorCode Eval(Runtime& rt, const Variant* args, int count, Variant& out);
ErrorCode Execute(Runtime& rt, const Variant* args, int count, Variant& out);
ErrorCode ExecuteGlobal(Runtime& rt, const Variant* args, int count, Variant& out);
ErrorCode GetRef(Runtime& rt, const Variant* args, int count, Variant& out);
} // namespace fn

} // namespace vbs
