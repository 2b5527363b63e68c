#pragma once

#include "font_faces.h"
#include "key_table.h"

#include <QColor>
#include <QFont>
#include <QStringView>
#include <optional>

namespace quorvix::app {

enum class ControlKind {
    Label,        // QLabel; an "&" in its caption leads to the next control in tab order
    InputLine,    // CommandBox: the multi-line input line
    OutputBox,    // QLineEdit: the single-line, editable output box
    PushButton,   // QPushButton
    WrapButton,   // WrappingPushButton: a push button whose caption wraps onto two lines
    OptionButton, // QRadioButton; all options of the window form one exclusive group
};

using ui::FontFace;

struct FontChoice {
    FontFace face = FontFace::WindowDefault;
    double pointSize = 0; // 0: the window's size
    bool bold = false;
};

// One row of a window's control table.
struct ControlRow {
    const char* name; // object name, by which the window finds the control
    ControlKind kind;
    QStringView caption;    // caption or initial text, "&" marking the access key
    keypad::TwipsRect rect; // outer edge, in the window's client area
    FontChoice font;
    std::optional<QRgb> foreground; // nullopt: the style's colour
    std::optional<QRgb> background;
    Qt::Alignment alignment;
    int tabIndex; // place in the Tab order; -1 for controls that never take the focus
    // What a screen reader says for the control: a short name, and what it does.
    QStringView accessibleName;
    QStringView accessibleDescription;
};

// The font of a table row, from the window's default font.
QFont fontFor(const FontChoice& choice, const QFont& windowFont);

} // namespace quorvix::app
