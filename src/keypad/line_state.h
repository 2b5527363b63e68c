#pragma once

#include <QString>

namespace quorvix::keypad {

// The input line as the keypad sees it. The main window reads Command's text, cursor and
// selection into a LineState, calls one of the pure edits of this folder and writes the result
// back:
//
//     LineState before{command->toPlainText(), cursor.selectionStart(),
//                      cursor.selectionEnd() - cursor.selectionStart()};
//     LineState after = toggleSign(before);
//     // set the text (only if it changed), then the cursor and selection from `after`
//
// Every edit accepts any state: positions outside the text are clamped first (see clamped()),
// so a stale or hand-made state never indexes out of range. Positions are qsizetype so that
// texts of any length are edited whole.
struct LineState {
    QString text;
    qsizetype selStart = 0;  // cursor position, zero-based; where a selection begins
    qsizetype selLength = 0; // characters selected from selStart on; 0 means no selection

    qsizetype length() const { return text.size(); }
    friend bool operator==(const LineState&, const LineState&) = default;
};

// The same state with selStart in 0..length and selLength in 0..(length - selStart).
LineState clamped(LineState state);

// A state whose cursor stands at the end of `text`, nothing selected.
LineState cursorAtEnd(QString text);

// "0" to "9" only: the keypad edits treat the point, "E", letters and other scripts' digits as
// non-digits.
constexpr bool isAsciiDigit(QChar c) {
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

} // namespace quorvix::keypad
