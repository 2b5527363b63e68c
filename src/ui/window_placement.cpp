#include "window_placement.h"

#include <QWidget>
#include <algorithm>
#include <array>

namespace quorvix::ui {

void bringToFront(QWidget& window) {
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
}

QRect keptWithin(const QRect& window, const QRect& available) {
    const QSize size = window.size().boundedTo(available.size());
    const int left =
        std::clamp(window.left(), available.left(), available.right() + 1 - size.width());
    const int top =
        std::clamp(window.top(), available.top(), available.bottom() + 1 - size.height());
    return {QPoint(left, top), size};
}

QRect placedBeside(const QRect& anchor, const QSize& size, const QRect& available) {
    constexpr int kGap = 8; // apart enough that the two frames read as two windows
    const std::array candidates{
        QRect(QPoint(anchor.right() + 1 + kGap, anchor.top()), size),
        QRect(QPoint(anchor.left() - kGap - size.width(), anchor.top()), size),
        QRect(QPoint(anchor.left(), anchor.bottom() + 1 + kGap), size),
        QRect(QPoint(anchor.left(), anchor.top() - kGap - size.height()), size),
    };
    for (const QRect& candidate : candidates) {
        // Slid along the anchor's side into the screen, it must still clear the anchor.
        const QRect placed = keptWithin(candidate, available);
        if (placed.size() == size && !placed.intersects(anchor)) {
            return placed;
        }
    }
    return keptWithin(candidates.front(), available);
}

} // namespace quorvix::ui
