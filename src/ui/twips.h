#pragma once

#include <QRect>

namespace quorvix {

// Positions and sizes of both windows are laid down in twips (1/1440 inch), 15 to a logical
// pixel at 96 dpi. Qt scales logical pixels on high-DPI screens, so the conversion is fixed.
inline constexpr int kTwipsPerPixel = 15;

// Rounded to the nearest pixel, halves away from zero.
constexpr int twipsToPixels(int twips) {
    return twips >= 0 ? (twips * 2 + kTwipsPerPixel) / (2 * kTwipsPerPixel)
                      : -((-twips * 2 + kTwipsPerPixel) / (2 * kTwipsPerPixel));
}

// Any rectangle in twips with left, top, width and height members.
template <class TwipsRect> QRect toPixels(const TwipsRect& r) {
    return {twipsToPixels(r.left), twipsToPixels(r.top), twipsToPixels(r.width),
            twipsToPixels(r.height)};
}

} // namespace quorvix
