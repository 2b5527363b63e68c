#include "clickable_label.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace quorvix::ui {

ClickableLabel::ClickableLabel(QWidget* parent) : ClickableLabel(QString(), parent) {}

ClickableLabel::ClickableLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    // Installing the same factory again does nothing.
    QAccessible::installFactory(&ClickableLabelAccessible::create);
    setFocusPolicy(Qt::StrongFocus);
}

void ClickableLabel::mousePressEvent(QMouseEvent* event) {
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click) {
        emit clicked();
    }
}

void ClickableLabel::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        event->accept();
        emit clicked();
        return;
    }
    QLabel::keyPressEvent(event);
}

void ClickableLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (hasFocus()) {
        QStylePainter painter(this);
        QStyleOptionFocusRect option;
        option.initFrom(this);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
    }
}

ClickableLabelAccessible::ClickableLabelAccessible(QWidget* label)
    : QAccessibleWidget(label, QAccessible::Link) {}

QString ClickableLabelAccessible::text(QAccessible::Text text) const {
    const QString own = QAccessibleWidget::text(text);
    if (text == QAccessible::Name && own.isEmpty()) {
        return static_cast<ClickableLabel*>(widget())->text();
    }
    return own;
}

QStringList ClickableLabelAccessible::actionNames() const {
    return QStringList{pressAction()} + QAccessibleWidget::actionNames();
}

void ClickableLabelAccessible::doAction(const QString& actionName) {
    if (actionName == pressAction()) {
        emit static_cast<ClickableLabel*>(widget())->clicked();
    } else {
        QAccessibleWidget::doAction(actionName);
    }
}

QAccessibleInterface* ClickableLabelAccessible::create(const QString& className, QObject* object) {
    auto* label = qobject_cast<ClickableLabel*>(object);
    if (!label || className != QLatin1String(ClickableLabel::staticMetaObject.className())) {
        return nullptr;
    }
    return new ClickableLabelAccessible(label);
}

} // namespace quorvix::ui
