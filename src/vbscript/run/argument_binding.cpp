#include "argument_binding.h"

#include "limits/script_limits.h"

#include <algorithm>

namespace vbs {

// a(i) given to a ByRef parameter: the element's value is copied into the slot, and where it
// lies is kept so that writeBack can put the slot's final value there.
Outcome ArgumentBinder::bindElement(Variant& array, const std::vector<ExprPtr>& subscriptArgs,
                                    std::size_t slot, Variant& value) {
    if (!elements_) {
        elements_ = std::make_unique<std::vector<ElementArgument>>();
    }
    ElementArgument& arg = elements_->emplace_back();
    arg.array = &array;
    arg.slot = slot;
    arg.count = subscriptArgs.size();
    VBS_TRY(x_.subscripts(subscriptArgs, arg.index));
    const Variant* item = Executor::elementAt(array, arg.index, arg.count);
    if (!item) {
        return Outcome::SubscriptOutOfRange;
    }
    value = item->isArray() ? item->copied() : *item;
    return Outcome::Normal;
}

Outcome ArgumentBinder::writeBack(Variant* storage) {
    for (ElementArgument& arg : *elements_) {
        // The call may have resized or replaced the array: an element that is gone stays gone.
        Variant* item = Executor::elementAt(*arg.array, arg.index, arg.count);
        if (!item) {
            continue;
        }
        Variant& value = storage[arg.slot];
        if (value.isArray()) {
            VBS_TRY(limits::checkArrayElement(value));
            ArrayData& holder = *arg.array->asArray();
            holder.depth = std::max(holder.depth, value.nestingDepth() + 1);
        }
        *item = std::move(value);
    }
    return Outcome::Normal;
}

} // namespace vbs
