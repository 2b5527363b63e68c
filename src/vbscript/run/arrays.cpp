#include "executor.h"
#include "executor_inline.h"

#include "limits/script_limits.h"
#include "public/memory_budget.h"

#include <algorithm>
#include <memory>

// Arrays: Dim, ReDim (Preserve), Erase, and finding an element by its subscripts.

namespace vbs {

Outcome Executor::arrayBounds(const std::vector<ExprPtr>& bounds, Bounds& out, std::size_t& total) {
    if (static_cast<int>(bounds.size()) > limits::kMaxDimensions) {
        return Outcome::SubscriptOutOfRange;
    }
    total = 1;
    for (const ExprPtr& b : bounds) {
        std::int32_t upper = 0;
        VBS_TRY(wholeNumber(*b, upper));
        if (upper < -1) {
            return Outcome::SubscriptOutOfRange;
        }
        const auto count = static_cast<std::size_t>(std::int64_t{upper} + 1);
        if (count != 0 && total > limits::kMaxArrayElements / count) {
            return Outcome::OutOfMemory;
        }
        total *= count;
        out.upper[out.count++] = upper;
    }
    // Without bounds (`Dim a()`) the array has no elements until ReDim gives it some.
    if (bounds.empty()) {
        total = 0;
    }
    return Outcome::Normal;
}

Outcome Executor::sizeArray(ArrayData& out, std::size_t total) {
    if (!rt_.budget->allows(total * sizeof(Variant))) {
        return Outcome::OutOfMemory;
    }
    out.resize(total);
    return Outcome::Normal;
}

Outcome Executor::makeArray(const std::vector<ExprPtr>& bounds, ArrayData& out) {
    Bounds evaluated;
    std::size_t total = 0;
    VBS_TRY(arrayBounds(bounds, evaluated, total));
    evaluated.copyTo(out.bounds);
    return sizeArray(out, total);
}

Outcome Executor::execDim(const DimStmt& s) {
    for (const DimItem& item : s.items) {
        if (!item.isArray) {
            continue;
        }
        auto data = std::make_shared<ArrayData>(rt_.budget);
        VBS_TRY(makeArray(item.bounds, *data));
        data->fixed = !item.bounds.empty();
        Variant* var = nullptr;
        VBS_TRY(variable(*item.target, var));
        *var = Variant::array(std::move(data));
    }
    return Outcome::Normal;
}

// ReDim Preserve keeps the elements, and only the last bound may change. Elements are stored
// with the first index fastest, so keeping them is a resize of the element list, made in place
// on the variable's own array: its spare room grows geometrically (ArrayData::resize), so
// growing an array one element at a time is linear. An array that something else still holds
// (For Each walks it) is copied first, as that holder keeps what it had.
Outcome Executor::preserveInto(Variant& var, const Bounds& bounds, std::size_t total) {
    const std::vector<ArrayBound>& old = var.asArray()->bounds;
    if (old.size() != bounds.count) {
        return Outcome::SubscriptOutOfRange;
    }
    for (std::size_t d = 0; d + 1 < old.size(); ++d) {
        if (old[d].upper != bounds.upper[d]) {
            return Outcome::SubscriptOutOfRange;
        }
    }
    const std::size_t have = var.asArray()->items.size();
    const bool shared = var.isShared();
    const std::size_t added = shared ? total : total > have ? total - have : 0;
    if (!rt_.budget->allows(added * sizeof(Variant))) {
        return Outcome::OutOfMemory;
    }
    if (shared) {
        var = var.copied();
    }
    ArrayData& data = *var.asArray();
    bounds.copyTo(data.bounds);
    data.resize(total);
    return Outcome::Normal;
}

Outcome Executor::execReDim(const DimStmt& s) {
    for (const DimItem& item : s.items) {
        Variant* var = nullptr;
        VBS_TRY(variable(*item.target, var));
        // A fixed array refuses before its new bounds are looked at.
        if (var->isArray() && var->asArray()->fixed) {
            return Outcome::ArrayFixed;
        }
        Bounds bounds;
        std::size_t total = 0;
        VBS_TRY(arrayBounds(item.bounds, bounds, total));
        // Evaluating the bounds may have run a procedure; the variable itself never moves.
        if (var->isArray()) {
            if (var->asArray()->fixed) {
                return Outcome::ArrayFixed;
            }
            if (s.preserve && !var->asArray()->bounds.empty()) {
                VBS_TRY(preserveInto(*var, bounds, total));
                continue;
            }
        }
        auto data = std::make_shared<ArrayData>(rt_.budget);
        bounds.copyTo(data->bounds);
        VBS_TRY(sizeArray(*data, total));
        *var = Variant::array(std::move(data));
    }
    return Outcome::Normal;
}

Outcome Executor::execErase(const EraseStmt& s) {
    Variant* var = nullptr;
    VBS_TRY(variable(*s.target, var));
    if (!var->isArray()) {
        return Outcome::TypeMismatch;
    }
    ArrayData& a = *var->asArray();
    if (a.fixed) {
        for (Variant& item : a.items) {
            item = Variant();
        }
    } else {
        *var = Variant::array(std::make_shared<ArrayData>(rt_.budget));
    }
    return Outcome::Normal;
}

Outcome Executor::subscripts(const std::vector<ExprPtr>& args, std::int32_t* index,
                             std::size_t first) {
    if (args.size() - first > static_cast<std::size_t>(limits::kMaxDimensions)) {
        return Outcome::SubscriptOutOfRange;
    }
    for (std::size_t d = 0; d < args.size() - first; ++d) {
        VBS_TRY(wholeNumber(*args[first + d], index[d]));
    }
    return Outcome::Normal;
}

// A literal or a plain variable is read where it lies, with no copy: converting a number or
// text runs no script that could change it. An object (its default value) is evaluated.
Outcome Executor::wholeNumber(const Expr& e, std::int32_t& out) {
    const Variant* value = valueInPlace(e);
    Variant evaluated;
    if (!value || value->isObject()) {
        VBS_TRY(eval(e, evaluated));
        value = &evaluated;
    }
    // The common subscript, a whole number, needs no conversion.
    if (value->type() == VarType::Integer || value->type() == VarType::Long) {
        out = static_cast<std::int32_t>(value->asInt());
        return Outcome::Normal;
    }
    out = VBS_TRY_VALUE(toLong(*value, rt_.locale));
    return Outcome::Normal;
}

Variant* Executor::elementAt(Variant& array, const std::int32_t* index, std::size_t count) {
    if (!array.isArray()) {
        return nullptr;
    }
    ArrayData& a = *array.asArray();
    if (a.bounds.size() != count) {
        return nullptr;
    }
    std::size_t flat = 0;
    std::size_t stride = 1;
    for (std::size_t d = 0; d < count; ++d) {
        if (index[d] < 0 || index[d] > a.bounds[d].upper) {
            return nullptr;
        }
        flat += static_cast<std::size_t>(index[d]) * stride;
        stride *= static_cast<std::size_t>(a.bounds[d].count());
    }
    return &a.items[flat];
}

Outcome Executor::element(Variant& array, const std::vector<ExprPtr>& args, std::size_t first,
                          Variant*& place) {
    std::int32_t index[limits::kMaxDimensions];
    VBS_TRY(subscripts(args, index, first));
    if (!array.isArray()) {
        return Outcome::TypeMismatch;
    }
    place = elementAt(array, index, args.size() - first);
    return place ? Outcome::Normal : Outcome::SubscriptOutOfRange;
}

} // namespace vbs
