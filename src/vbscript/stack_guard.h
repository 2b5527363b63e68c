#pragma once

#include <cstddef>
#include <cstdint>

namespace vbs {

// Measures how much C++ stack a run has used since it entered the interpreter. Depth counters
// alone cannot know the frame sizes of every build (sanitizers make frames several times
// larger), so recursion also stops when this budget is spent.
class StackGuard {
public:
    static constexpr std::size_t kBudget = 2u << 20; // 2 MB of an 8 MB thread stack

    void reset() { base_ = here(); }
    bool exhausted() const {
        const std::uintptr_t now = here();
        const std::uintptr_t used = base_ > now ? base_ - now : now - base_;
        return used > kBudget;
    }

private:
    __attribute__((always_inline)) static std::uintptr_t here() {
        return reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
    }

    std::uintptr_t base_ = here();
};

} // namespace vbs
