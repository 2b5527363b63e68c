#include "wrapping_push_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace quorvix::app {

namespace {
constexpr int kTextMargin = 4;
} // namespace

QSize WrappingPushButton::sizeHint() const {
    const QRect text = fontMetrics().boundingRect(QRect(0, 0, width() - 2 * kTextMargin, 1000),
                                                  kTextFlags, this->text());
    return QPushButton::sizeHint().expandedTo(text.size() +
                                              QSize(2 * kTextMargin, 2 * kTextMargin));
}

QRect WrappingPushButton::captionRect() const {
    return rect().adjusted(kTextMargin, kTextMargin, -kTextMargin, -kTextMargin);
}

void WrappingPushButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    // The bevel without text; the caption is drawn wrapped below.
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    QRect textRect = captionRect();
    if (isDown()) {
        textRect.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                           style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
    }
    painter.drawItemText(textRect, kTextFlags, palette(), isEnabled(), text(),
                         QPalette::ButtonText);
}

} // namespace quorvix::app
