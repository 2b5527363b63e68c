#pragma once

#include <cstddef>
#include <functional>

namespace quorvix {

// Runs `work` on a thread of its own with a stack of `bytes`, waits for it and returns what it
// returned. The engine's recursion checks count calls, not bytes, so how deep a script may go
// must not depend on the stack the process was started with (`ulimit -s`). When no such thread
// can be made, `work` runs on the calling thread.
int runOnLargeStack(std::size_t bytes, const std::function<int()>& work);

} // namespace quorvix
