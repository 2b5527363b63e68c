#include "app_icon.h"

namespace quorvix::app {

QIcon appIcon() {
    // The same pictures as the desktop entry's icons, so the launcher and the window agree.
    QIcon icon;
    for (const int side : {16, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/quorvix-%1.png").arg(side), QSize(side, side));
    }
    return icon;
}

} // namespace quorvix::app
