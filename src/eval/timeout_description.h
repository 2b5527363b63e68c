#pragma once

#include <QString>
#include <chrono>

namespace quorvix {

// "Script timed out after 10 seconds", with the limit as given.
QString timeoutDescription(std::chrono::milliseconds limit);

} // namespace quorvix
