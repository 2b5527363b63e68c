#pragma once

#include <QAccessibleWidget>
#include <QLabel>

namespace quorvix::ui {

// A label (text or picture) that acts as a link: a left-button click (press and release inside
// it), Enter or Space while it has the focus, or the press action of assistive technology. It
// is a Tab stop and shows the focus with a dotted frame.
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickableLabel(QWidget* parent = nullptr);
    explicit ClickableLabel(const QString& text, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_pressed = false;
};

// What assistive technology sees of a ClickableLabel: a link named by its accessible name or
// its text, with a press action.
class ClickableLabelAccessible : public QAccessibleWidget {
public:
    explicit ClickableLabelAccessible(QWidget* label);

    QString text(QAccessible::Text text) const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

    // The factory for QAccessible::installFactory.
    static QAccessibleInterface* create(const QString& className, QObject* object);
};

} // namespace quorvix::ui
