#include "app_icon.h"

#include <QPainter>
#include <QPixmap>

namespace quorvix::app {

namespace {

QPixmap drawIcon(int side) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(side / 32.0, side / 32.0);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(48, 48, 48));
    painter.drawRoundedRect(QRectF(3, 1, 26, 30), 4, 4);
    painter.setBrush(Qt::black);
    painter.drawRect(QRectF(6, 4, 20, 7));
    painter.setBrush(QColor(0, 255, 0));
    painter.drawRect(QRectF(16, 6, 8, 3));

    // Three rows of keys; the last key of the bottom row is the red clear key.
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const bool clear = row == 2 && column == 2;
            painter.setBrush(clear ? QColor(255, 64, 64) : QColor(160, 160, 160));
            painter.drawRect(QRectF(6 + column * 7, 14 + row * 5.5, 5.5, 4));
        }
    }
    painter.end();
    return pixmap;
}

} // namespace

QIcon appIcon() {
    QIcon icon;
    for (const int side : {16, 32, 48}) {
        icon.addPixmap(drawIcon(side));
    }
    return icon;
}

} // namespace quorvix::app
