#pragma once

#include "control_row.h"
#include "key_table.h"

#include <QWidget>

namespace quorvix::keypad {
class KeypadButton;
}

namespace quorvix::app {

// Widgets made from table rows: object name, geometry (twips to pixels), caption, font,
// colours and alignment. Behaviour is wired by the window.
QWidget* createControl(const ControlRow& row, QWidget* parent);
keypad::KeypadButton* createKeypadButton(const keypad::KeypadKey& key, QWidget* parent);
// A read-only box drawn like a label on the keypad panel, skipped by Tab.
QWidget* createCaptionBox(const keypad::CaptionBox& row, QWidget* parent);
// The dark panel behind the keypad.
QWidget* createKeypadPanel(QWidget* parent);

} // namespace quorvix::app
