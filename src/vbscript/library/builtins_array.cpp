#include "builtin_functions.h"
#include "builtin_helpers.h"
#include "limits/script_limits.h"
#include "public/memory_budget.h"

#include <algorithm>
#include <string>
#include <utility>

namespace vbs::fn {
namespace {

Variant listOf(const Budget& budget, std::vector<Variant> items) {
    auto data = std::make_shared<ArrayData>(budget);
    data->bounds.push_back(ArrayBound{static_cast<std::int32_t>(items.size()) - 1});
    data->adopt(std::move(items));
    return Variant::array(std::move(data));
}

Outcome bound(Runtime& rt, const Variant* a, int n, Variant& out, bool upper) {
    if (!a[0].isArray()) {
        return Outcome::TypeMismatch;
    }
    const ArrayData& data = *a[0].asArray();
    std::int32_t dim = 1;
    if (given(rt, n, 1)) {
        dim = VBS_TRY_VALUE(longArg(rt, a[1]));
    }
    if (dim < 1 || static_cast<std::size_t>(dim) > data.bounds.size()) {
        return Outcome::SubscriptOutOfRange;
    }
    out = Variant::longInt(upper ? data.bounds[static_cast<std::size_t>(dim - 1)].upper : 0);
    return Outcome::Normal;
}

bool containsText(const std::u16string& in, const std::u16string& what, bool textCompare) {
    if (!textCompare) {
        return in.find(what) != std::u16string::npos;
    }
    return foldForTextCompare(in).find(foldForTextCompare(what)) != std::u16string::npos;
}

} // namespace

Outcome Array(Runtime& rt, const Variant* a, int n, Variant& out) {
    std::vector<Variant> items;
    items.reserve(static_cast<std::size_t>(n));
    int deepest = 0;
    for (int i = 0; i < n; ++i) {
        VBS_TRY(limits::checkArrayElement(a[i]));
        deepest = std::max(deepest, a[i].nestingDepth());
        // A copy of its own: the argument may be a variable's array, which can change later.
        items.push_back(a[i].copied());
    }
    out = listOf(rt.budget, std::move(items));
    out.asArray()->depth = deepest + 1;
    return Outcome::Normal;
}

Outcome UBound(Runtime& rt, const Variant* a, int n, Variant& out) {
    return bound(rt, a, n, out, true);
}
Outcome LBound(Runtime& rt, const Variant* a, int n, Variant& out) {
    return bound(rt, a, n, out, false);
}

Outcome Join(Runtime& rt, const Variant* a, int n, Variant& out) {
    if (a[0].isNull()) {
        return Outcome::InvalidNull;
    }
    if (!a[0].isArray() || a[0].asArray()->bounds.size() != 1) {
        return Outcome::TypeMismatch;
    }
    std::u16string delimiter = u" ";
    if (given(rt, n, 1)) {
        delimiter = VBS_TRY_VALUE(textArg(rt, a[1]));
    }
    std::u16string result;
    const std::vector<Variant>& items = a[0].asArray()->items;
    // Room for the texts among the elements, made once: growing by doubling would hold up to
    // twice the result at the end. Numbers converted on the way may still grow it.
    std::size_t expected = items.empty() ? 0 : delimiter.size() * (items.size() - 1);
    for (const Variant& item : items) {
        expected += item.isString() ? item.asString().size() : 0;
    }
    if (expected <= limits::kMaxStringLength && rt.budget->allows(expected * sizeof(char16_t))) {
        result.reserve(expected);
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) {
            result += delimiter;
        }
        // A Null element is a Type mismatch here, not an Invalid use of Null.
        if (items[i].isNull()) {
            return Outcome::TypeMismatch;
        }
        std::u16string piece = VBS_TRY_VALUE(textArg(rt, items[i]));
        result += piece;
        if (rt.pastDeadline(i)) {
            return Outcome::Timeout;
        }
        if (result.size() > limits::kMaxStringLength ||
            !rt.budget->allows(result.size() * sizeof(char16_t))) {
            return Outcome::OutOfMemory;
        }
    }
    out = Variant::string(std::move(result), rt.budget);
    return Outcome::Normal;
}

Outcome Split(Runtime& rt, const Variant* a, int n, Variant& out) {
    VBS_TRY(anyNull(a, n, 0));
    // A text is split where it lies; other values are converted first.
    std::u16string converted;
    if (!a[0].isString()) {
        converted = VBS_TRY_VALUE(textArg(rt, a[0]));
    }
    const std::u16string_view s = a[0].isString() ? a[0].asString() : converted;
    std::u16string delimiter = u" ";
    if (given(rt, n, 1)) {
        delimiter = VBS_TRY_VALUE(textArg(rt, a[1]));
    }
    std::int32_t count = -1;
    if (given(rt, n, 2)) {
        count = VBS_TRY_VALUE(longArg(rt, a[2]));
        if (count < -1) {
            return Outcome::InvalidCall;
        }
    }
    bool text = VBS_TRY_VALUE(compareArg(rt, a, n, 3));
    std::vector<Variant> pieces;
    if (!s.empty() && count != 0) {
        // Folded copies only for a text comparison; a binary one searches the text itself.
        const std::u16string folded = text ? foldForTextCompare(s) : std::u16string();
        const std::u16string foldedDelimiter = text ? foldForTextCompare(delimiter) : u"";
        const std::u16string_view hay = text ? std::u16string_view(folded) : s;
        const std::u16string_view needle = text ? foldedDelimiter : delimiter;
        // The pieces are counted first so that the list is made once at its final size: growing
        // it by doubling would hold two lists at once.
        const auto nextDelimiter = [&](std::size_t from) {
            return needle.empty() ? std::u16string_view::npos : hay.find(needle, from);
        };
        std::size_t total = 1;
        for (std::size_t p = nextDelimiter(0);
             p != std::u16string_view::npos && (count < 0 || std::cmp_less(total, count));
             p = nextDelimiter(p + needle.size())) {
            if (rt.pastDeadline(total++)) {
                return Outcome::Timeout;
            }
        }
        if (total > limits::kMaxArrayElements || !rt.budget->allows(total * sizeof(Variant))) {
            return Outcome::OutOfMemory;
        }
        pieces.reserve(total);
        std::size_t start = 0;
        while (pieces.size() + 1 < total) {
            const std::size_t p = nextDelimiter(start);
            pieces.push_back(Variant::string(s.substr(start, p - start), rt.budget));
            start = p + needle.size();
        }
        pieces.push_back(Variant::string(s.substr(start), rt.budget));
    }
    out = listOf(rt.budget, std::move(pieces));
    return Outcome::Normal;
}

Outcome Filter(Runtime& rt, const Variant* a, int n, Variant& out) {
    if (!a[0].isArray() || a[0].asArray()->bounds.size() != 1) {
        return Outcome::TypeMismatch;
    }
    if (a[1].isNull()) {
        return Outcome::InvalidNull;
    }
    std::u16string match = VBS_TRY_VALUE(textArg(rt, a[1]));
    bool include = true;
    if (given(rt, n, 2)) {
        include = VBS_TRY_VALUE(toBool(a[2], rt.locale));
    }
    bool text = VBS_TRY_VALUE(compareArg(rt, a, n, 3));
    std::vector<Variant> kept;
    std::size_t step = 0;
    for (const Variant& item : a[0].asArray()->items) {
        if (rt.pastDeadline(step++)) {
            return Outcome::Timeout;
        }
        std::u16string s = VBS_TRY_VALUE(textArg(rt, item));
        if (containsText(s, match, text) == include) {
            kept.push_back(Variant::string(std::move(s), rt.budget));
        }
    }
    out = listOf(rt.budget, std::move(kept));
    return Outcome::Normal;
}

} // namespace vbs::fn
