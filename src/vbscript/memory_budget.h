#pragma once

#include <atomic>
#include <cstddef>

namespace vbs {

// Bytes held by script strings and array elements in this process. The per-value limits stop
// one huge string or array; this stops many large ones (a loop filling an array with 16 MB
// strings), which would otherwise exhaust the machine. Code that makes something large asks
// allows() first and raises "Out of memory" when refused.
class MemoryBudget {
public:
    static constexpr std::size_t kLimit = std::size_t{1} << 30; // 1 GB

    static bool allows(std::size_t bytes) { return used() + bytes <= kLimit; }
    static void add(std::size_t bytes) { used_.fetch_add(bytes, std::memory_order_relaxed); }
    static void remove(std::size_t bytes) { used_.fetch_sub(bytes, std::memory_order_relaxed); }
    static std::size_t used() { return used_.load(std::memory_order_relaxed); }

private:
    static inline std::atomic<std::size_t> used_{0};
};

} // namespace vbs
