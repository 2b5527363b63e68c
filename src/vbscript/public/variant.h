#pragma once

#include "memory_budget.h"

#include <bit>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vbs {

// VarType codes as VBScript reports them.
enum class VarType : std::uint16_t {
    Empty = 0,
    Null = 1,
    Integer = 2,
    Long = 3,
    Single = 4,
    Double = 5,
    Currency = 6,
    Date = 7,
    String = 8,
    Object = 9,
    Boolean = 11,
    Byte = 17,
    Array = 8204, // vbArray + vbVariant: every VBScript array holds Variants
};

class Variant;
struct ArrayData;
class ObjectData;

// One VBScript value, 24 bytes. Numbers live inline, so arithmetic never touches the heap; so do
// texts of up to kShortTextLength characters, the common case in arrays of words and digits,
// which then cost no allocation and no budget count beyond the value itself. Longer texts, arrays
// and objects are shared through one reference-counted pointer. Shared texts are immutable, which
// makes sharing them safe (see appendToOwnString). Arrays have value semantics in VBScript:
// whoever stores an array into a variable makes sure the variable's array is its own (copied()
// when shared). Only a variable's own array is ever changed in place; arrays nested in it are
// never changed (the language can only replace them), so copies share the nested ones.
class Variant {
public:
    // Texts this long or shorter are held inside the value.
    static constexpr std::size_t kShortTextLength = 8;

    Variant() = default;
    Variant(const Variant& other) : type_(other.type_), shortLength_(other.shortLength_) {
        copyPayload(other);
    }
    // Leaves `other` as a moved-from shared_ptr leaves itself: a long text reads "", an array
    // or object is null; a number or short text keeps its value.
    Variant(Variant&& other) noexcept : type_(other.type_), shortLength_(other.shortLength_) {
        movePayload(other);
    }
    Variant& operator=(const Variant& other) { return assign(other); }
    Variant& operator=(Variant&& other) noexcept { return assign(std::move(other)); }
    ~Variant() { release(); }

    static Variant null() { return Variant(VarType::Null); }
    static Variant boolean(bool b) {
        Variant v(VarType::Boolean);
        v.u_.b = b;
        return v;
    }
    static Variant byte(std::uint8_t x) {
        Variant v(VarType::Byte);
        v.u_.i64 = x;
        return v;
    }
    static Variant integer(std::int16_t x) {
        Variant v(VarType::Integer);
        v.u_.i64 = x;
        return v;
    }
    static Variant longInt(std::int32_t x) {
        Variant v(VarType::Long);
        v.u_.i64 = x;
        return v;
    }
    static Variant single(float x) {
        Variant v(VarType::Single);
        v.u_.d = static_cast<double>(x);
        return v;
    }
    static Variant dbl(double x) {
        Variant v(VarType::Double);
        v.u_.d = x;
        return v;
    }
    // `scaled` is the amount times 10,000.
    static Variant currency(std::int64_t scaled) {
        Variant v(VarType::Currency);
        v.u_.i64 = scaled;
        return v;
    }
    // Days since 30 Dec 1899, time of day as the fraction.
    static Variant date(double serial) {
        Variant v(VarType::Date);
        v.u_.d = serial;
        return v;
    }
    // A text longer than kShortTextLength is counted in `budget` while it lives.
    static Variant string(std::u16string_view s, const Budget& budget);
    static Variant string(std::u16string&& s, const Budget& budget);
    static Variant string(const char16_t* s, const Budget& budget) {
        return string(std::u16string_view(s), budget);
    }
    static Variant array(std::shared_ptr<ArrayData> a);
    // A null pointer is Nothing.
    static Variant object(std::shared_ptr<ObjectData> o);

    VarType type() const { return type_; }
    bool isEmpty() const { return type_ == VarType::Empty; }
    bool isNull() const { return type_ == VarType::Null; }
    bool isString() const { return type_ == VarType::String; }
    bool isArray() const { return type_ == VarType::Array; }
    bool isObject() const { return type_ == VarType::Object; }
    // Byte, Integer, Long, Boolean: the value sits in asInt().
    bool isIntegral() const {
        return type_ == VarType::Integer || type_ == VarType::Long || type_ == VarType::Byte ||
               type_ == VarType::Boolean;
    }

    bool asBool() const { return u_.b; }
    // Byte, Integer, Long; also Currency's scaled amount.
    std::int64_t asInt() const { return type_ == VarType::Boolean ? (u_.b ? -1 : 0) : u_.i64; }
    // Single, Double, Date.
    double asDouble() const { return u_.d; }
    // The text, valid while this value holds it unchanged.
    std::u16string_view asString() const;
    ArrayData* asArray() const { return static_cast<ArrayData*>(u_.ref.get()); }
    const std::shared_ptr<ArrayData> arrayRef() const {
        return std::static_pointer_cast<ArrayData>(u_.ref);
    }
    // The object without touching its reference count; null for Nothing.
    ObjectData* objectPtr() const { return static_cast<ObjectData*>(u_.ref.get()); }
    std::shared_ptr<ObjectData> asObject() const {
        return std::static_pointer_cast<ObjectData>(u_.ref);
    }

    // In-place setters for the arithmetic fast path: no temporary, no reference count
    // traffic unless the old value held a string, array or object. That case is a call of its
    // own, in tail position, so the inlined setter makes its caller save no registers for it.
    void setDouble(double x) {
        if (holdsReference()) [[unlikely]] {
            return replaceReference(VarType::Double, std::bit_cast<std::uint64_t>(x));
        }
        type_ = VarType::Double;
        u_.d = x;
    }
    void setWhole(VarType t, std::int64_t x) {
        if (holdsReference()) [[unlikely]] {
            return replaceReference(t, static_cast<std::uint64_t>(x));
        }
        type_ = t;
        u_.i64 = x;
    }
    void setBoolean(bool b) {
        if (holdsReference()) [[unlikely]] {
            return replaceReference(VarType::Boolean, b ? 1 : 0);
        }
        type_ = VarType::Boolean;
        u_.b = b;
    }

    // The value to store in a variable: an array gets a copy of its own element list (nested
    // arrays are shared, see above).
    Variant copied() const;
    // How deeply arrays nest in this value: 0 for a value that is no array.
    int nestingDepth() const;
    // The string, array or object is also held by another Variant (a text held inside the
    // value never is).
    bool isShared() const { return holdsReference() && u_.ref.use_count() > 1; }
    // Both hold the same shared text.
    bool sharesTextWith(const Variant& other) const {
        return isString() && holdsReference() && other.holdsReference() && u_.ref == other.u_.ref;
    }
    // Appends to a String that no other Variant holds (isString() and !isShared()), counting
    // the added characters in the text's memory budget; a text that outgrows the value moves
    // to the heap, counted in `budget`.
    void appendToOwnString(std::u16string_view text, const Budget& budget);

private:
    explicit Variant(VarType t) : type_(t) {}
    // In shortLength_: the payload is u_.ref (a long text, an array or an object).
    static constexpr std::uint8_t kHeld = 0xFF;

    // Arrays, objects and long texts hold u_.ref (null for Nothing), marked by kHeld.
    bool holdsReference() const { return shortLength_ == kHeld; }
    // Ends the payload's shared pointer, if any; the caller gives the value a new type.
    void release() {
        if (holdsReference()) {
            u_.ref.~shared_ptr();
            shortLength_ = 0;
        }
    }
    // The setters' case of a held payload: released, then `t` with the payload word `bits`.
    [[gnu::noinline]] void replaceReference(VarType t, std::uint64_t bits);
    // The held pointer, moved out; the payload is then free.
    std::shared_ptr<void> takeReference() {
        std::shared_ptr<void> held(std::move(u_.ref));
        u_.ref.~shared_ptr();
        shortLength_ = 0;
        return held;
    }
    // Into a value whose type_ and shortLength_ are already other's and whose payload is free
    // (a self-copy of a plain value copies its words onto themselves).
    void copyPayload(const Variant& other) {
        if (other.holdsReference()) {
            new (&u_.ref) std::shared_ptr<void>(other.u_.ref);
        } else {
            copyWords(other);
        }
    }
    // A plain payload moves as two 8-byte words, never as one 16-byte vector: a value is often
    // read just after an arithmetic setter wrote one word of it (a function's result, then the
    // operator that adds it), and a 16-byte load over an 8-byte store still in flight cannot take
    // its data from the store, but waits until it reaches the cache. Sampled with perf, that
    // wait was a tenth of fib's time. The empty asm keeps each word in a general register.
    void copyWords(const Variant& other) {
        std::uint64_t low = other.u_.words[0];
        std::uint64_t high = other.u_.words[1];
#if defined(__GNUC__)
        asm("" : "+r"(low), "+r"(high));
#endif
        u_.words[0] = low;
        u_.words[1] = high;
    }
    // As copyPayload; other's pointer is left null.
    void movePayload(Variant& other) {
        if (other.holdsReference()) {
            new (&u_.ref) std::shared_ptr<void>(std::move(other.u_.ref));
        } else {
            copyWords(other);
        }
    }
    // What this holds may own `other` (x = x(0)): it is let go only once `other` is in.
    template <typename Source> Variant& assign(Source&& other) {
        if (!holdsReference()) {
            adopt(std::forward<Source>(other));
        } else if (this != &other) {
            const std::shared_ptr<void> old = takeReference();
            adopt(std::forward<Source>(other));
        }
        return *this;
    }
    // Into a value whose payload is free.
    void adopt(const Variant& other) {
        type_ = other.type_;
        shortLength_ = other.shortLength_;
        copyPayload(other);
    }
    void adopt(Variant&& other) {
        type_ = other.type_;
        shortLength_ = other.shortLength_;
        movePayload(other);
    }
    void holdReference(VarType t, std::shared_ptr<void> ref) {
        type_ = t;
        shortLength_ = kHeld;
        new (&u_.ref) std::shared_ptr<void>(std::move(ref));
    }

    VarType type_ = VarType::Empty;
    // A String's length when its text is held in u_.chars; kHeld when the payload is u_.ref;
    // 0 for every other value.
    std::uint8_t shortLength_ = 0;
    union Payload {
        Payload() : words{} {}
        ~Payload() {} // the owning Variant ends the member in use
        bool b;
        std::int64_t i64; // Byte, Integer, Long, Currency (scaled)
        double d;         // Single (widened), Double, Date
        char16_t chars[kShortTextLength];
        // A long String's text, an Array's ArrayData, an Object's ObjectData (null for Nothing).
        std::shared_ptr<void> ref;
        std::uint64_t words[2]; // copies a value that holds no pointer
    } u_;
};
static_assert(sizeof(Variant) == 24);

// One dimension of an array.
struct ArrayBound {
    std::int32_t upper = -1;
    std::int64_t count() const { return std::int64_t{upper} + 1; }
};

struct ArrayData {
    // Where the elements are counted.
    Budget budget;
    std::vector<ArrayBound> bounds;
    // Elements with the first index running fastest, as For Each walks them. Sized only
    // through resize() and adopt(), which keep the memory budget's count (of the elements; the
    // spare room resize() keeps for growth is at most as much again).
    std::vector<Variant> items;
    // Declared with sizes (Dim a(3)): ReDim refuses it.
    bool fixed = false;
    // 1 + the deepest nesting of an element (an upper bound: kept when elements are replaced).
    int depth = 1;

    explicit ArrayData(Budget counted) : budget(std::move(counted)) {}
    ArrayData(const ArrayData& other);
    ArrayData& operator=(const ArrayData&) = delete;
    ~ArrayData();
    // To `n` elements, keeping the first ones.
    void resize(std::size_t n);
    void adopt(std::vector<Variant> elements);
};

} // namespace vbs
