#pragma once

#include <QIcon>

namespace quorvix::app {

// The program's icon, drawn at 16, 32 and 48 pixels: a small calculator with a green display.
QIcon appIcon();

} // namespace quorvix::app
