#pragma once

#include <QPushButton>

namespace quorvix::app {

// A push button whose caption wraps onto as many lines as its width needs. text() keeps the
// whole caption with its "&", so the access key works as on any push button.
class WrappingPushButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

    QSize sizeHint() const override;
    // Where the caption is drawn, wrapped with kTextFlags.
    QRect captionRect() const;

    static constexpr int kTextFlags = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace quorvix::app
