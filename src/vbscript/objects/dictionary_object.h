#pragma once

#include "class_def.h"
#include "native_object.h"

#include <memory>

namespace vbs {

// Scripting.Dictionary: keys and items in the order they were added, found through an index by
// the key's compared form. It is known to `heap`, which empties it when the interpreter ends.
// Null when the memory budget refuses even the empty dictionary.
std::shared_ptr<NativeObject> makeDictionary(const Budget& budget,
                                             const std::shared_ptr<ObjectHeap>& heap);

} // namespace vbs
