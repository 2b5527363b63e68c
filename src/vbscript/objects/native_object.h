#pragma once

#include "object.h"
#include "public/memory_budget.h"

#include <cstddef>
#include <string_view>

namespace vbs {

// An object written in C++ (a dictionary, a regular expression, a match list), counted in the
// memory budget of the interpreter that made it. It holds that budget, so bytes still counted
// when the object outlives its interpreter go back to a budget that exists.
class NativeObject : public ObjectData {
public:
    explicit NativeObject(Budget budget) : budget_(std::move(budget)) {}
    ~NativeObject() override { uncharge(charged_); }
    NativeObject(const NativeObject&) = delete;
    NativeObject& operator=(const NativeObject&) = delete;

    // Counts `bytes` more; false (and nothing counted) when the budget refuses them.
    bool charge(std::size_t bytes) {
        if (budget_) {
            if (!budget_->allows(bytes)) {
                return false;
            }
            budget_->add(bytes);
        }
        charged_ += bytes;
        return true;
    }
    void uncharge(std::size_t bytes) {
        if (budget_) {
            budget_->remove(bytes);
        }
        charged_ -= bytes;
    }
    const Budget& budget() const { return budget_; }

private:
    Budget budget_;
    std::size_t charged_ = 0;
};

// A member table: the index of `lower` among `names`, or -1.
template <std::size_t N>
int memberOf(const std::u16string_view (&names)[N], std::u16string_view lower) {
    for (std::size_t i = 0; i < N; ++i) {
        if (names[i] == lower) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace vbs
