#pragma once

#include <QAccessibleWidget>
#include <QLabel>

namespace quorvix::ui {

// A status line that assistive technology announces when it says something new, as a live
// region is announced: to a screen reader it is a notification, shown anew with each text.
// A plain label only reports a changed name, which is read out only while it has the focus.
class LiveStatus : public QLabel {
    Q_OBJECT
public:
    explicit LiveStatus(QWidget* parent = nullptr);

    // Shows `text` and announces it.
    void say(const QString& text);
};

class LiveStatusAccessible : public QAccessibleWidget {
public:
    explicit LiveStatusAccessible(QWidget* status);

    QString text(QAccessible::Text text) const override;

    // The factory for QAccessible::installFactory.
    static QAccessibleInterface* create(const QString& className, QObject* object);
};

} // namespace quorvix::ui
