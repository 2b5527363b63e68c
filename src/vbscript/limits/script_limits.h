#pragma once

#include "public/variant.h"
#include "values/error_codes.h"

#include <cstddef>

// Bounds that keep any script from exhausting the machine. Beyond them VBScript's own
// "Out of memory" (7) or "Out of stack space" (28) is raised instead of a crash.
namespace vbs::limits {

// Characters in one string (32 MB of UTF-16): far beyond what a calculator shows, small
// enough that a runaway loop of joins fails fast.
inline constexpr std::size_t kMaxStringLength = std::size_t{1} << 24;
// Elements in one array (each element is a 32-byte Variant: 256 MB).
inline constexpr std::size_t kMaxArrayElements = std::size_t{1} << 23;
// Arrays inside arrays: copying and freeing them recurses once per level.
inline constexpr int kMaxArrayNesting = 100;
// Nested procedure calls.
inline constexpr int kMaxCallDepth = 3000;
// VBScript's own limit on array dimensions.
inline constexpr int kMaxDimensions = 60;

// Whether `value` may become an element of an array: Out of stack space when arrays would
// nest too deeply.
inline Outcome checkArrayElement(const Variant& value) {
    return value.nestingDepth() + 1 > kMaxArrayNesting ? Outcome::OutOfStack : Outcome::Normal;
}

} // namespace vbs::limits
