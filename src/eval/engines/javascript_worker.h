#pragma once

namespace quorvix {

// The JavaScript engine runs in a program of its own, quorvix-javascript, which the calculator
// starts when JavaScript is first used. It takes the time limit in milliseconds as its one
// argument and talks to the calculator over its file descriptor 3.
inline constexpr const char* kJavaScriptWorkerName = "quorvix-javascript";

} // namespace quorvix
