#pragma once

#include "public/variant.h"
#include "run/runtime.h"
#include "values/error_codes.h"

#include <cstdint>
#include <string_view>

namespace vbs {

// A built-in writes its result through `out`, not a Result<Variant>: Sqr(i) in a loop is called
// straight from the operand runner with the caller's storage as `out` (builtinOnPlain), so no
// Variant is built and moved per call.
using BuiltinFn = Outcome (*)(Runtime& rt, const Variant* args, int count, Variant& out);

// One row of the built-in function table. Constants (vbCrLf, ...) are functions without
// arguments.
struct BuiltinInfo {
    const char16_t* name; // lower case
    std::uint8_t minArgs;
    std::uint8_t maxArgs;
    BuiltinFn fn;
    // As the user reads it: "Mid(string, start[, length])"; a constant's is its name alone.
    // The part before "(" is the name in its usual spelling.
    const char16_t* signature;
};

// Index into the table, or -1.
int findBuiltin(std::u16string_view lower);
// The table itself, `builtinCount()` rows; read inline, as every built-in call reads its row.
extern const BuiltinInfo* const kBuiltinTable;
inline const BuiltinInfo& builtinAt(int index) {
    return kBuiltinTable[index];
}
int builtinCount();
// Whether Windows refuses, with "Variable uses an Automation type not supported in VBScript",
// the result of this built-in in a Call statement (the numeric and date conversions, once the
// conversion itself succeeded).
bool callRefusesResult(int index);
// Whether the built-in takes an object argument as it is (TypeName, IsObject, Array); the others
// receive the value of the object's default member.
bool inspectsObjects(int index);
// Whether the built-in reports on the default member's value of an object that has one
// (VarType, IsNumeric, IsDate), and on the object itself otherwise (so that IsNumeric of an
// object without a default member, or of Nothing, is False rather than an error).
bool readsDefaultType(int index);

namespace fn {
Outcome Join(Runtime& rt, const Variant* args, int count, Variant& out);
Outcome Filter(Runtime& rt, const Variant* args, int count, Variant& out);
} // namespace fn

// Whether the built-in reads the elements of the array it is given first as values (Join,
// Filter): an object there stands for its default value, as an object argument does, since the
// engine converts each element as it converts an argument. Inline, as built-in calls ask.
inline bool readsElementValues(BuiltinFn f) {
    return f == fn::Join || f == fn::Filter;
}

} // namespace vbs
