#pragma once

#include "public/variant.h"

#include <concepts>
#include <cstddef>
#include <memory>
#include <new>

namespace vbs {

// `count` Empty values, on the C++ stack when there are at most N of them, else on the heap.
// Only `count` are constructed: a procedure call or a built-in call is a hot path, and each
// unused Variant would cost its constructor and destructor.
template <std::size_t N> class SmallVariants {
public:
    explicit SmallVariants(std::size_t count) : count_(count) {
        if (count > N) {
            heap_ = std::make_unique<Variant[]>(count);
            data_ = heap_.get();
        } else {
            std::uninitialized_default_construct_n(reinterpret_cast<Variant*>(inline_), count);
            data_ = std::launder(reinterpret_cast<Variant*>(inline_));
        }
    }
    ~SmallVariants() {
        if (!heap_) {
            std::destroy_n(data_, count_);
        }
    }
    SmallVariants(const SmallVariants&) = delete;
    SmallVariants& operator=(const SmallVariants&) = delete;

    Variant* data() { return data_; }
    // Indexed as the pointer it stands for: slot numbers are int32_t in the tree.
    template <std::integral I> Variant& operator[](I i) { return data_[i]; }

private:
    std::size_t count_;
    Variant* data_ = nullptr;
    std::unique_ptr<Variant[]> heap_;
    alignas(Variant) unsigned char inline_[N * sizeof(Variant)];
};

// A call's variables and, for each slot, where it lives: at first its own variable, until a
// ByRef argument points it at the caller's. On the C++ stack for a procedure of at most N
// slots (recursion is a hot path and allocates nothing), else in one block on the heap; set up
// in one pass. The heap's case is a function of its own, so the common case is small enough
// to be inlined into the call.
template <std::size_t N> class CallSlots {
public:
    explicit CallSlots(std::size_t count) : count_(count) {
        if (count > N) {
            moveToHeap();
        }
        // Local copies: a store through a Variant* could change the members, so the compiler
        // would read them again after each one.
        Variant* const values = values_;
        Variant** const slots = slots_;
        for (std::size_t i = 0; i < count; ++i) {
            slots[i] = ::new (static_cast<void*>(values + i)) Variant();
        }
    }
    ~CallSlots() { std::destroy_n(values_, count_); }
    CallSlots(const CallSlots&) = delete;
    CallSlots& operator=(const CallSlots&) = delete;

    // The call's own variables.
    Variant* values() { return values_; }
    // Where each slot lives.
    Variant** slots() { return slots_; }

private:
    void moveToHeap();

    std::size_t count_;
    alignas(Variant) unsigned char inline_[N * sizeof(Variant)];
    Variant* inlineSlots_[N];
    Variant* values_ = reinterpret_cast<Variant*>(inline_);
    Variant** slots_ = inlineSlots_;
    std::unique_ptr<unsigned char[]> heap_;
};

template <std::size_t N> void CallSlots<N>::moveToHeap() {
    heap_ = std::make_unique_for_overwrite<unsigned char[]>(count_ *
                                                            (sizeof(Variant) + sizeof(Variant*)));
    values_ = reinterpret_cast<Variant*>(heap_.get());
    slots_ = reinterpret_cast<Variant**>(heap_.get() + count_ * sizeof(Variant));
}

} // namespace vbs
