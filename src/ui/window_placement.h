#pragma once

#include <QRect>

namespace quorvix::help {

// `window` moved, and made smaller only where it must, so that all of it lies within
// `available` (a screen's area without its panels).
QRect keptWithin(const QRect& window, const QRect& available);

// Where a window of `size` goes beside `anchor` (the window it belongs to), both as frames:
// to the right of it where there is room, else to the left, else below, else above, level with
// it as far as `available` allows; with room nowhere, kept within `available` at its right.
QRect placedBeside(const QRect& anchor, const QSize& size, const QRect& available);

} // namespace quorvix::help
