#include "variant.h"

#include "limits/script_limits.h"
#include "memory_budget.h"

#include <algorithm>

namespace vbs {

namespace {

// A string's text, counted in its memory budget while it lives. A text grows only through
// append, which counts what it adds, so the size at the end is the size counted.
struct StringBox {
    StringBox(std::u16string s, Budget counted) : text(std::move(s)), budget(std::move(counted)) {
        count(text.size());
    }
    StringBox(const StringBox&) = delete;
    StringBox& operator=(const StringBox&) = delete;
    ~StringBox() {
        if (budget) {
            budget->remove(text.size() * sizeof(char16_t));
        }
    }
    void append(std::u16string_view added) {
        text += added;
        count(added.size());
    }
    void count(std::size_t characters) {
        if (budget) {
            budget->add(characters * sizeof(char16_t));
        }
    }
    std::u16string text;
    Budget budget;
};

// Moves an element list's count in `budget`, if any, from `before` elements to `after`.
void recount(const Budget& budget, std::size_t before, std::size_t after) {
    if (budget) {
        budget->remove(before * sizeof(Variant));
        budget->add(after * sizeof(Variant));
    }
}

} // namespace

Variant Variant::string(std::u16string_view s, const Budget& budget) {
    Variant v(VarType::String);
    if (s.size() <= kShortTextLength) {
        v.shortLength_ = static_cast<std::uint8_t>(s.size());
        std::copy(s.begin(), s.end(), v.u_.chars);
    } else {
        v.holdReference(VarType::String, std::make_shared<StringBox>(std::u16string(s), budget));
    }
    return v;
}

Variant Variant::string(std::u16string&& s, const Budget& budget) {
    if (s.size() <= kShortTextLength) {
        return string(std::u16string_view(s), budget);
    }
    Variant v(VarType::String);
    v.holdReference(VarType::String, std::make_shared<StringBox>(std::move(s), budget));
    return v;
}

void Variant::appendToOwnString(std::u16string_view text, const Budget& budget) {
    if (shortLength_ == kHeld) {
        if (u_.ref) {
            static_cast<StringBox*>(u_.ref.get())->append(text);
            return;
        }
        // A moved-from text: nothing to append to.
        *this = string(text, budget);
        return;
    }
    if (shortLength_ + text.size() <= kShortTextLength) {
        std::copy(text.begin(), text.end(), u_.chars + shortLength_);
        shortLength_ = static_cast<std::uint8_t>(shortLength_ + text.size());
        return;
    }
    std::u16string joined;
    joined.reserve(shortLength_ + text.size());
    joined.append(u_.chars, shortLength_);
    joined += text;
    holdReference(VarType::String, std::make_shared<StringBox>(std::move(joined), budget));
}

ArrayData::ArrayData(const ArrayData& other)
    : budget(other.budget), bounds(other.bounds), items(other.items), fixed(other.fixed),
      depth(other.depth) {
    recount(budget, 0, items.size());
}

ArrayData::~ArrayData() {
    recount(budget, items.size(), 0);
}

void ArrayData::resize(std::size_t n) {
    const std::size_t before = items.size();
    // Spare room doubles, up to the most elements an array may have, so that growing an array
    // one element at a time (ReDim Preserve in a loop) costs amortised constant time per
    // element; an array that shrank to a quarter of its room gives the room back.
    if (n > items.capacity()) {
        items.reserve(std::max(n, std::min(2 * items.capacity(), limits::kMaxArrayElements)));
    }
    items.resize(n);
    if (n < items.capacity() / 4) {
        items.shrink_to_fit();
    }
    recount(budget, before, items.size());
}

void ArrayData::adopt(std::vector<Variant> elements) {
    const std::size_t before = items.size();
    items = std::move(elements);
    recount(budget, before, items.size());
}

Variant Variant::array(std::shared_ptr<ArrayData> a) {
    Variant v;
    v.holdReference(VarType::Array, std::move(a));
    return v;
}

Variant Variant::object(std::shared_ptr<ObjectData> o) {
    Variant v;
    v.holdReference(VarType::Object, std::move(o));
    return v;
}

std::u16string_view Variant::asString() const {
    if (shortLength_ != kHeld) {
        return {u_.chars, shortLength_};
    }
    return u_.ref ? std::u16string_view(static_cast<const StringBox*>(u_.ref.get())->text)
                  : std::u16string_view();
}

void Variant::replaceReference(VarType t, std::uint64_t bits) {
    release();
    type_ = t;
    u_.words[0] = bits;
}

Variant Variant::copied() const {
    if (type_ != VarType::Array || !u_.ref) {
        return *this;
    }
    auto copy = std::make_shared<ArrayData>(*asArray());
    copy->fixed = false;
    return array(std::move(copy));
}

int Variant::nestingDepth() const {
    return type_ == VarType::Array && u_.ref ? asArray()->depth : 0;
}

} // namespace vbs
