#include "dictionary_object.h"

#include "values/convert.h"

#include "limits/script_limits.h"
#include "run/runtime.h"

#include <cstring>
#include <functional>
#include <unordered_map>
#include <vector>

namespace vbs {
namespace {

// How a key is compared: numbers of any subtype by value (1, 1.0 and True - 1 + 2 are one
// key), text as it is or case-folded (CompareMode 1), objects by identity; Empty and Null are
// keys of their own.
struct KeyForm {
    enum class Kind : std::uint8_t { Empty, Null, Number, Text, Object } kind = Kind::Empty;
    double number = 0;
    std::u16string text;
    const void* object = nullptr;

    bool operator==(const KeyForm& o) const {
        return kind == o.kind && number == o.number && text == o.text && object == o.object;
    }
};

struct KeyFormHash {
    std::size_t operator()(const KeyForm& k) const {
        const std::size_t kind = static_cast<std::size_t>(k.kind) * 0x9E3779B97F4A7C15ull;
        switch (k.kind) {
        case KeyForm::Kind::Number: {
            const double d = k.number == 0 ? 0.0 : k.number; // -0 and 0 are one key
            std::uint64_t bits = 0;
            std::memcpy(&bits, &d, sizeof bits);
            return kind ^ std::hash<std::uint64_t>{}(bits);
        }
        case KeyForm::Kind::Text:
            return kind ^ std::hash<std::u16string>{}(k.text);
        case KeyForm::Kind::Object:
            return kind ^ std::hash<const void*>{}(k.object);
        default:
            return kind;
        }
    }
};

enum Member { Add, Item, Exists, Remove, RemoveAll, Keys, Items, Count, CompareMode, Key };
constexpr std::u16string_view kMembers[] = {u"add",         u"item", u"exists", u"remove",
                                            u"removeall",   u"keys", u"items",  u"count",
                                            u"comparemode", u"key"};

// Error numbers the dictionary raises beyond the language's own list.
constexpr Outcome kKeyExists = Outcome::KeyAlreadyExists;
constexpr Outcome kNotFound = Outcome::ElementNotFound;

class Dictionary final : public NativeObject {
public:
    Dictionary(Budget budget, std::shared_ptr<ObjectHeap> heap)
        : NativeObject(std::move(budget)), heap_(std::move(heap)) {}
    ~Dictionary() override { heap_->untrack(this); }
    Dictionary(const Dictionary&) = delete;
    Dictionary& operator=(const Dictionary&) = delete;
    void dropReferences() override { clear(); }
    void forEachHeld(const std::function<void(const Variant&)>& visit) const override {
        for (const Entry& e : entries_) {
            visit(e.key);
            visit(e.item);
        }
    }

    std::u16string_view typeName() const override { return u"Dictionary"; }
    int memberIndex(std::u16string_view lower) const override { return memberOf(kMembers, lower); }
    int defaultMember() const override { return Item; }
    bool defaultNeedsIndex() const override { return true; }
    Outcome invoke(Runtime& rt, int member, MemberAccess access, Variant* args, std::size_t argc,
                   Variant& value) override;
    Outcome enumerate(Runtime&, std::vector<Variant>& out) override {
        for (const Entry& e : entries_) {
            if (e.live) {
                out.push_back(e.key);
            }
        }
        return Outcome::Normal;
    }

private:
    struct Entry {
        Variant key;
        Variant item;
        bool live = true;
    };

    Outcome formOf(const Variant& key, KeyForm& out) const;
    Outcome item(const Variant& key, KeyForm form, std::ptrdiff_t at, bool assigning,
                 Variant& value);
    Outcome compareMode(Runtime& rt, bool assigning, Variant& value);
    Outcome rename(const KeyForm& form, std::size_t at, Variant& value);
    std::size_t entryBytes(const KeyForm& form) const {
        return sizeof(Entry) + sizeof(KeyForm) + 4 * sizeof(void*) +
               form.text.size() * sizeof(char16_t);
    }
    // The entry of `key`, or -1.
    std::ptrdiff_t find(const KeyForm& form) const {
        const auto it = index_.find(form);
        return it == index_.end() ? -1 : static_cast<std::ptrdiff_t>(it->second);
    }
    Outcome insert(const Variant& key, KeyForm form, Variant item);
    void erase(std::size_t at, const KeyForm& form);
    void clear();
    Outcome list(bool keys, Variant& out) const;

    std::vector<Entry> entries_; // insertion order; removed ones stay dead until compacted
    std::unordered_map<KeyForm, std::size_t, KeyFormHash> index_;
    std::size_t dead_ = 0;
    bool textCompare_ = false;
    std::int32_t compareMode_ = 0;
    std::shared_ptr<ObjectHeap> heap_;
};

Outcome Dictionary::formOf(const Variant& key, KeyForm& out) const {
    switch (key.type()) {
    case VarType::Empty:
        out.kind = KeyForm::Kind::Empty;
        return Outcome::Normal;
    case VarType::Null:
        out.kind = KeyForm::Kind::Null;
        return Outcome::Normal;
    case VarType::String:
        out.kind = KeyForm::Kind::Text;
        out.text = textCompare_ ? foldForTextCompare(key.asString()) : key.asString();
        return Outcome::Normal;
    case VarType::Object:
        out.kind = KeyForm::Kind::Object;
        out.object = key.objectPtr();
        return Outcome::Normal;
    case VarType::Array:
        return Outcome::TypeMismatch;
    case VarType::Currency:
        out.kind = KeyForm::Kind::Number;
        out.number = static_cast<double>(key.asInt()) / 10000.0;
        return Outcome::Normal;
    case VarType::Single:
    case VarType::Double:
    case VarType::Date:
        out.kind = KeyForm::Kind::Number;
        out.number = key.asDouble();
        return Outcome::Normal;
    default:
        out.kind = KeyForm::Kind::Number;
        out.number = static_cast<double>(key.asInt());
        return Outcome::Normal;
    }
}

// An array stored as an item is the dictionary's own copy, as arrays are values.
Variant stored(Variant v) {
    return v.isArray() && v.isShared() ? v.copied() : std::move(v);
}

Outcome Dictionary::insert(const Variant& key, KeyForm form, Variant item) {
    if (!charge(entryBytes(form))) {
        return Outcome::OutOfMemory;
    }
    index_.emplace(std::move(form), entries_.size());
    entries_.push_back(Entry{stored(key), stored(std::move(item))});
    return Outcome::Normal;
}

void Dictionary::erase(std::size_t at, const KeyForm& form) {
    uncharge(entryBytes(form));
    index_.erase(form);
    Entry removed = std::move(entries_[at]);
    entries_[at] = Entry{Variant(), Variant(), false};
    ++dead_;
    // Dropping dead entries renumbers the rest: done once they are half the list, so removing
    // stays O(1) on average.
    if (dead_ * 2 > entries_.size()) {
        std::size_t to = 0;
        for (std::size_t from = 0; from < entries_.size(); ++from) {
            if (entries_[from].live) {
                if (to != from) {
                    entries_[to] = std::move(entries_[from]);
                }
                ++to;
            }
        }
        entries_.resize(to);
        dead_ = 0;
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            KeyForm f;
            static_cast<void>(formOf(entries_[i].key, f)); // a key held was formed once already
            index_[f] = i;
        }
    }
    // `removed` is released last, once the list is whole again: its item may be the last
    // reference to other objects.
}

void Dictionary::clear() {
    std::vector<Entry> old;
    old.swap(entries_);
    for (const auto& [form, at] : index_) {
        uncharge(entryBytes(form));
    }
    index_.clear();
    dead_ = 0;
}

Outcome Dictionary::list(bool keys, Variant& out) const {
    const std::size_t n = entries_.size() - dead_;
    auto data = std::make_shared<ArrayData>(budget());
    if (n > limits::kMaxArrayElements || (budget() && !budget()->allows(n * sizeof(Variant)))) {
        return Outcome::OutOfMemory;
    }
    std::vector<Variant> items;
    items.reserve(n);
    for (const Entry& e : entries_) {
        if (e.live) {
            items.push_back(keys ? e.key : e.item);
        }
    }
    data->bounds.push_back(ArrayBound{static_cast<std::int32_t>(n) - 1});
    data->adopt(std::move(items));
    out = Variant::array(std::move(data));
    return Outcome::Normal;
}

Outcome Dictionary::invoke(Runtime& rt, int member, MemberAccess access, Variant* args,
                           std::size_t argc, Variant& value) {
    const bool assigning = access == MemberAccess::Let || access == MemberAccess::Set;
    const std::size_t wanted =
        member == Add                                                             ? 2
        : member == Item || member == Exists || member == Remove || member == Key ? 1
                                                                                  : 0;
    if (argc != wanted) {
        return Outcome::WrongArgCount;
    }
    if (assigning && member != Item && member != Key && member != CompareMode) {
        return Outcome::WrongArgCount; // no property to assign
    }
    if (member == Key && !assigning) {
        return Outcome::WrongArgCount; // Key can only be assigned
    }
    KeyForm form;
    if (wanted == 1 || member == Add) {
        VBS_TRY(formOf(args[0], form));
    }
    const std::ptrdiff_t at = wanted > 0 ? find(form) : -1;
    switch (member) {
    case Add:
        value = Variant();
        return at >= 0 ? kKeyExists : insert(args[0], std::move(form), std::move(args[1]));
    case Item:
        return item(args[0], std::move(form), at, assigning, value);
    case Exists:
        value = Variant::boolean(at >= 0);
        return Outcome::Normal;
    case Remove:
        if (at < 0) {
            return kNotFound;
        }
        erase(static_cast<std::size_t>(at), form);
        value = Variant();
        return Outcome::Normal;
    case RemoveAll:
        clear();
        value = Variant();
        return Outcome::Normal;
    case Keys:
    case Items:
        return list(member == Keys, value);
    case Count:
        value = Variant::longInt(static_cast<std::int32_t>(entries_.size() - dead_));
        return Outcome::Normal;
    case CompareMode:
        return compareMode(rt, assigning, value);
    case Key:
        return at < 0 ? kNotFound : rename(form, static_cast<std::size_t>(at), value);
    default:
        return Outcome::NoSuchMember;
    }
}

// d(key) reads or assigns an item; reading a missing key adds it with an Empty item.
Outcome Dictionary::item(const Variant& key, KeyForm form, std::ptrdiff_t at, bool assigning,
                         Variant& value) {
    if (assigning) {
        if (at >= 0) {
            entries_[static_cast<std::size_t>(at)].item = stored(std::move(value));
            return Outcome::Normal;
        }
        return insert(key, std::move(form), std::move(value));
    }
    if (at < 0) {
        value = Variant();
        return insert(key, std::move(form), Variant());
    }
    value = entries_[static_cast<std::size_t>(at)].item;
    return Outcome::Normal;
}

// The mode decides which keys are equal: it can change only while there are none.
Outcome Dictionary::compareMode(Runtime& rt, bool assigning, Variant& value) {
    if (!assigning) {
        value = Variant::longInt(compareMode_);
        return Outcome::Normal;
    }
    std::int32_t mode = VBS_TRY_VALUE(toLong(value, rt.locale));
    if (mode < 0 || entries_.size() != dead_) {
        return Outcome::InvalidCall;
    }
    compareMode_ = mode;
    textCompare_ = mode != 0;
    return Outcome::Normal;
}

// d.Key(old) = new: the entry keeps its place and item under the new key, unless another entry
// already has it.
Outcome Dictionary::rename(const KeyForm& form, std::size_t at, Variant& value) {
    KeyForm renamed;
    VBS_TRY(formOf(value, renamed));
    const std::ptrdiff_t other = find(renamed);
    if (other == static_cast<std::ptrdiff_t>(at)) {
        entries_[at].key = stored(std::move(value));
        return Outcome::Normal;
    }
    if (other >= 0) {
        return kKeyExists;
    }
    if (!charge(entryBytes(renamed))) {
        return Outcome::OutOfMemory;
    }
    uncharge(entryBytes(form));
    index_.erase(form);
    index_.emplace(std::move(renamed), at);
    entries_[at].key = stored(std::move(value));
    return Outcome::Normal;
}

} // namespace

std::shared_ptr<NativeObject> makeDictionary(const Budget& budget,
                                             const std::shared_ptr<ObjectHeap>& heap) {
    auto d = std::make_shared<Dictionary>(budget, heap);
    if (!d->charge(sizeof(Dictionary))) {
        return nullptr;
    }
    heap->track(d);
    return d;
}

} // namespace vbs
