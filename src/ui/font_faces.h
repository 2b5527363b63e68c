#pragma once

#include <QFont>

namespace quorvix::ui {

// The font families the layout was drawn with. Each is shown in a metric-compatible face that
// Debian packages (Liberation, else Croscore), so that captions take the room they were laid
// out for; the style hint picks the nearest installed face when neither is there.
enum class FontFace {
    WindowDefault,
    Fixedsys,      // monospaced system font: Liberation Mono or Cousine
    MsSansSerif,   // the classic dialog font: Liberation Sans or Arimo
    TimesNewRoman, // the keypad's serif: Liberation Serif or Tinos
};

// `font` with the families and style hint of `face`; size and weight are kept.
QFont withFace(QFont font, FontFace face);

} // namespace quorvix::ui
