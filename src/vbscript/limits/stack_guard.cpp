#include "stack_guard.h"

#include <pthread.h>

namespace vbs {

std::uintptr_t StackExtent::currentThreadEnd() {
    // For the main thread the C library derives the size from the current stack limit
    // (`ulimit -s`) and the mappings below the stack, which is what the kernel enforces.
    pthread_attr_t attr;
    if (pthread_getattr_np(pthread_self(), &attr) != 0) {
        return 0;
    }
    void* address = nullptr;
    std::size_t size = 0;
    const bool known = pthread_attr_getstack(&attr, &address, &size) == 0;
    pthread_attr_destroy(&attr);
    if (!known) {
        return 0;
    }
    // A guard page lies at the very end; keep off it.
    return reinterpret_cast<std::uintptr_t>(address) + std::size_t{4096};
}

} // namespace vbs
