#pragma once

#include "error_codes.h"
#include "runtime.h"
#include "variant.h"

#include <cstdint>
#include <string_view>

namespace vbs {

using BuiltinFn = ErrorCode (*)(Runtime& rt, const Variant* args, int count, Variant& out);

// One row of the built-in function table. Constants (vbCrLf, ...) are functions without
// arguments.
struct BuiltinInfo {
    const char16_t* name; // lower case
    std::uint8_t minArgs;
    std::uint8_t maxArgs;
    BuiltinFn fn;
};

// Index into the table, or -1.
int findBuiltin(std::u16string_view lower);
const BuiltinInfo& builtinAt(int index);
int builtinCount();

} // namespace vbs
