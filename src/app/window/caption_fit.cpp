#include "caption_fit.h"

#include "wrapping_push_button.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <algorithm>

namespace quorvix::app {

namespace {

// Below this the caption would be unreadable anyway; stop stepping.
constexpr double kSmallestPointSize = 5;
constexpr double kStep = 0.25;
// Keeps the caption off the frame the style draws around the contents.
constexpr int kBreathingRoom = 1;
// QLineEdit keeps this many pixels between its contents edge and its text.
constexpr int kLineEditMargin = 2;

// The rectangle the style lays the caption in, in widget coordinates.
QRect captionRoom(const QWidget* widget) {
    if (const auto* wrap = qobject_cast<const WrappingPushButton*>(widget)) {
        return wrap->captionRect();
    }
    if (const auto* radio = qobject_cast<const QRadioButton*>(widget)) {
        QStyleOptionButton option;
        option.initFrom(radio);
        return radio->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, radio);
    }
    if (const auto* button = qobject_cast<const QPushButton*>(widget)) {
        QStyleOptionButton option;
        option.initFrom(button);
        return button->style()
            ->subElementRect(QStyle::SE_PushButtonContents, &option, button)
            .adjusted(kBreathingRoom, 0, -kBreathingRoom, 0);
    }
    if (const auto* box = qobject_cast<const QLineEdit*>(widget)) {
        QStyleOptionFrame option;
        option.initFrom(box);
        option.lineWidth =
            box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box)
                            : 0;
        return box->style()
            ->subElementRect(QStyle::SE_LineEditContents, &option, box)
            .adjusted(kLineEditMargin, 0, -kLineEditMargin, 0);
    }
    return widget->contentsRect();
}

bool fits(const QWidget* widget, const QString& caption) {
    const QRect room = captionRoom(widget);
    const QFontMetrics metrics = widget->fontMetrics();
    if (qobject_cast<const WrappingPushButton*>(widget)) {
        const QRect wrapped = metrics.boundingRect(room, WrappingPushButton::kTextFlags, caption);
        return wrapped.width() <= room.width() && wrapped.height() <= room.height();
    }
    // "&" only marks the access key.
    return metrics.size(Qt::TextShowMnemonic, caption).width() <= room.width();
}

} // namespace

void fitCaptions(QWidget* widget, const QStringList& captions) {
    const auto allFit = [&] {
        return std::all_of(captions.begin(), captions.end(),
                           [&](const QString& caption) { return fits(widget, caption); });
    };
    QFont font = widget->font();
    while (!allFit() && font.pointSizeF() - kStep >= kSmallestPointSize) {
        font.setPointSizeF(font.pointSizeF() - kStep);
        widget->setFont(font);
    }
}

} // namespace quorvix::app
