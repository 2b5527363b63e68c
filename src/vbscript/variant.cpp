#include "variant.h"

#include "memory_budget.h"
#include "script_limits.h"

#include <algorithm>

namespace vbs {

namespace {

// A string's text, counted in the memory budget while it lives. A text grows only through
// appendToOwnString, which counts what it adds, so the size at the end is the size counted.
struct StringBox {
    explicit StringBox(std::u16string s) : text(std::move(s)) {
        MemoryBudget::add(text.size() * sizeof(char16_t));
    }
    StringBox(const StringBox&) = delete;
    StringBox& operator=(const StringBox&) = delete;
    ~StringBox() { MemoryBudget::remove(text.size() * sizeof(char16_t)); }
    std::u16string text;
};

} // namespace

Variant Variant::string(std::u16string s) {
    Variant v(VarType::String);
    v.ref_ = std::make_shared<StringBox>(std::move(s));
    return v;
}

void Variant::appendToOwnString(std::u16string_view text) {
    if (!ref_) {
        ref_ = std::make_shared<StringBox>(std::u16string(text));
        return;
    }
    static_cast<StringBox*>(ref_.get())->text += text;
    MemoryBudget::add(text.size() * sizeof(char16_t));
}

ArrayData::ArrayData(const ArrayData& other)
    : bounds(other.bounds), items(other.items), fixed(other.fixed), depth(other.depth) {
    MemoryBudget::add(items.size() * sizeof(Variant));
}

ArrayData::~ArrayData() {
    MemoryBudget::remove(items.size() * sizeof(Variant));
}

void ArrayData::resize(std::size_t n) {
    MemoryBudget::remove(items.size() * sizeof(Variant));
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
    MemoryBudget::add(items.size() * sizeof(Variant));
}

void ArrayData::adopt(std::vector<Variant> elements) {
    MemoryBudget::remove(items.size() * sizeof(Variant));
    items = std::move(elements);
    MemoryBudget::add(items.size() * sizeof(Variant));
}

Variant Variant::array(std::shared_ptr<ArrayData> a) {
    Variant v(VarType::Array);
    v.ref_ = std::move(a);
    return v;
}

Variant Variant::object(std::shared_ptr<ObjectData> o) {
    Variant v(VarType::Object);
    v.ref_ = std::move(o);
    return v;
}

const std::u16string& Variant::asString() const {
    static const std::u16string empty;
    return ref_ ? static_cast<const StringBox*>(ref_.get())->text : empty;
}

Variant Variant::copied() const {
    if (type_ != VarType::Array || !ref_) {
        return *this;
    }
    auto copy = std::make_shared<ArrayData>(*asArray());
    copy->fixed = false;
    return array(std::move(copy));
}

int Variant::nestingDepth() const {
    return type_ == VarType::Array && ref_ ? asArray()->depth : 0;
}

} // namespace vbs
