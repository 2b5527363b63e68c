#pragma once

#include <QStringList>

class QWidget;

namespace quorvix::app {

// Steps the widget's point size down, a quarter point at a time, until each of `captions` fits
// the room the widget's style gives its caption (labels, push buttons, option buttons, the
// wrapping buttons and the keypad's caption boxes). A substitute face can still be a little
// wider than the one the layout was drawn with; the caption must never be clipped.
void fitCaptions(QWidget* widget, const QStringList& captions);

} // namespace quorvix::app
