#pragma once

#include <atomic>
#include <cstddef>
#include <memory>

namespace vbs {

// Bytes held by one interpreter's script strings and array elements. The per-value limits stop
// one huge string or array; this stops many large ones (a loop filling an array with 16 MB
// strings), which would otherwise exhaust the machine. Code that makes something large asks
// allows() first and raises "Out of memory" when refused. Each counted text and element list
// holds the budget it is counted in, so a value that outlives its interpreter (an answer handed
// out) still gives its bytes back to a budget that exists.
class MemoryBudget {
public:
    static constexpr std::size_t kLimit = std::size_t{1} << 30; // 1 GB

    bool allows(std::size_t bytes) const { return used() + bytes <= kLimit; }
    void add(std::size_t bytes) { used_.fetch_add(bytes, std::memory_order_relaxed); }
    void remove(std::size_t bytes) { used_.fetch_sub(bytes, std::memory_order_relaxed); }
    std::size_t used() const { return used_.load(std::memory_order_relaxed); }

private:
    // Atomic, as a value handed out may be released on another thread than the one running.
    std::atomic<std::size_t> used_{0};
};

// A budget as the values counted in it hold it; null for values counted nowhere (made outside
// any interpreter, such as an answer about to be stored, which the interpreter counts again).
using Budget = std::shared_ptr<MemoryBudget>;

} // namespace vbs
