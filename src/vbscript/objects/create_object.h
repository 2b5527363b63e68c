#pragma once

#include "public/variant.h"
#include "run/runtime.h"
#include "values/error_codes.h"

#include <string_view>

namespace vbs {

// `New name` for the classes the engine itself provides (RegExp); Class not defined for any
// other name.
Outcome newNativeObject(Runtime& rt, std::u16string_view lowerName, Variant& out);

namespace fn {
// CreateObject(class): only "Scripting.Dictionary" and "VBScript.RegExp". A script in a
// calculator reaches no files, network, registry or programs, so every other class (a file
// system, a shell) is refused with "ActiveX component can't create object", as for a class
// that is not installed. GetObject is refused the same way.
Outcome CreateObject(Runtime& rt, const Variant* a, int n, Variant& out);
Outcome GetObject(Runtime& rt, const Variant* a, int n, Variant& out);
} // namespace fn

} // namespace vbs
