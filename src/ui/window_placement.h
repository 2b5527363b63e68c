#pragma once

#include <QRect>

class QWidget;

namespace quorvix::ui {

// Shows `window` in front and active, for a window asked for again while it is open: a
// minimised one comes back as it was before (normal or maximised).
void bringToFront(QWidget& window);

// `window` moved, and made smaller only where it must, so that all of it lies within
// `available` (a screen's area without its panels).
QRect keptWithin(const QRect& window, const QRect& available);

// Where a window of `size` goes beside `anchor` (the window it belongs to), both as frames:
// to the right of it where there is room, else to the left, else below, else above, level with
// it as far as `available` allows; with room nowhere, kept within `available` at its right.
QRect placedBeside(const QRect& anchor, const QSize& size, const QRect& available);

} // namespace quorvix::ui
