#pragma once

#include <QPixmap>

namespace quorvix::help {

// The help window's 468 x 60 advertisement banner, drawn by the program itself.
QPixmap advertBanner();

} // namespace quorvix::help
