#include "control_row.h"

namespace quorvix::app {

QFont fontFor(const FontChoice& choice, const QFont& windowFont) {
    QFont font = ui::withFace(windowFont, choice.face);
    if (choice.pointSize > 0) {
        font.setPointSizeF(choice.pointSize);
    }
    font.setBold(choice.bold);
    return font;
}

} // namespace quorvix::app
