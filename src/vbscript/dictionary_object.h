#pragma once

#include "native_object.h"

#include <memory>

namespace vbs {

// Scripting.Dictionary: keys and items in the order they were added, found through an index by
// the key's compared form. Null when the memory budget refuses even the empty dictionary.
std::shared_ptr<NativeObject> makeDictionary(const Budget& budget);

} // namespace vbs
