#pragma once

#include <QAccessibleInterface>

namespace quorvix::ui {

// For QAccessible::installFactory: a window built on a plain QWidget (the main, help and tape
// windows) is a window to assistive technology, named by its title, as a dialog is. Qt would
// make it a nameless pane ("filler"), which a screen reader does not announce as the window
// the focus moved to.
QAccessibleInterface* windowAccessible(const QString& className, QObject* object);

} // namespace quorvix::ui
