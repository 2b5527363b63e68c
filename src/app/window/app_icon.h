#pragma once

#include <QIcon>

namespace quorvix::app {

// The program's icon, a small calculator with a black display, from 16 to 256 pixels; the main
// window shows it (the help window has one of its own).
QIcon appIcon();

} // namespace quorvix::app
