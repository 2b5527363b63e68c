#pragma once

#include "native_object.h"

#include <memory>

namespace vbs {

// VBScript's RegExp object (New RegExp, CreateObject("VBScript.RegExp")). Null when the memory
// budget refuses it.
std::shared_ptr<NativeObject> makeRegExp(const Budget& budget);

} // namespace vbs
