#include "advert_banner.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace quorvix::help {

QPixmap advertBanner() {
    constexpr int kWidth = 468;
    constexpr int kHeight = 60;
    QPixmap banner(kWidth, kHeight);
    QPainter painter(&banner);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, kWidth, 0);
    sky.setColorAt(0, QColor(12, 40, 96));
    sky.setColorAt(1, QColor(24, 120, 168));
    painter.fillRect(banner.rect(), sky);

    // An envelope at the left.
    const QRectF envelope(14, 14, 46, 32);
    painter.setPen(QPen(Qt::white, 2));
    painter.setBrush(QColor(255, 210, 64));
    painter.drawRect(envelope);
    QPainterPath flap;
    flap.moveTo(envelope.topLeft());
    flap.lineTo(envelope.center().x(), envelope.center().y() + 2);
    flap.lineTo(envelope.topRight());
    painter.drawPath(flap);

    QFont headline(QStringLiteral("Sans Serif"));
    headline.setStyleHint(QFont::SansSerif);
    headline.setPixelSize(20);
    headline.setBold(true);
    painter.setFont(headline);
    painter.setPen(Qt::white);
    painter.drawText(QRect(76, 6, kWidth - 86, 28), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Your inbox, your topics"));

    QFont line = headline;
    line.setPixelSize(13);
    line.setBold(false);
    painter.setFont(line);
    painter.setPen(QColor(255, 210, 64));
    painter.drawText(QRect(76, 32, kWidth - 86, 22), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Sign up free at quorvix.example - click here"));
    painter.end();
    return banner;
}

} // namespace quorvix::help
