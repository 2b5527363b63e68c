#pragma once

#include <cstddef>
#include <cstdint>

namespace vbs {

// Where the calling thread's stack ends (its lowest usable address), read from the thread's
// real size so that the interpreter never assumes a stack the caller does not have (a small
// `ulimit -s`, a thread made with a small stack). Reading it may cost a look at the process's
// memory map, so an interpreter reads it once per thread it runs on.
class StackExtent {
public:
    // The end of the calling thread's stack; 0 when it cannot be known.
    static std::uintptr_t currentThreadEnd();
};

// Measures how much C++ stack a run may still use. Depth counters alone cannot know the frame
// sizes of every build (sanitizers make frames several times larger), so recursion in the
// parser and the evaluator also stops when the stack left comes near the thread's end.
class StackGuard {
public:
    // Space always left unused at the end of the stack, for the deepest work between two
    // checks (a built-in function, raising an error, unwinding a parse error). On a stack so
    // small that this would leave little for the script, half of what is left is kept.
    static constexpr std::size_t kReserve = std::size_t{128} << 10;
    // Used when the thread's stack end cannot be known.
    static constexpr std::size_t kFallbackBudget = std::size_t{256} << 10;

    // Starts measuring at the caller's frame on a stack that ends at `stackEnd` (0: unknown).
    void reset(std::uintptr_t stackEnd) {
        const std::uintptr_t now = here();
        std::size_t budget = kFallbackBudget;
        if (stackEnd != 0 && stackEnd < now) {
            const std::size_t left = now - stackEnd;
            budget = left > 2 * kReserve ? left - kReserve : left / 2;
        }
        floor_ = now > budget ? now - budget : 0;
    }
    // Stacks grow downwards on every platform this builds for.
    bool exhausted() const { return here() < floor_; }

private:
    // The stack pointer itself where the platform lets us read it: asking for the frame's
    // address would make every function that checks (each call, each evaluation) keep a frame
    // pointer, which costs them a register and three instructions.
    static std::uintptr_t here() {
#if defined(__x86_64__)
        std::uintptr_t sp = 0;
        asm("mov %%rsp, %0" : "=r"(sp));
        return sp;
#elif defined(__aarch64__)
        std::uintptr_t sp = 0;
        asm("mov %0, sp" : "=r"(sp));
        return sp;
#else
        return reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
#endif
    }

    std::uintptr_t floor_ = 0;
};

} // namespace vbs
