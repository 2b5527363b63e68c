#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace quorvix::app {

// One text as one line of a UTF-8 record file: a backslash is written "\\", a line feed "\n", a
// carriage return "\r", and a "#" that begins the text "\#", so that the line never holds a line
// end and never reads as a comment.
QByteArray escapedLine(const QString& text);
// The text of one such line without its LF; nothing when the line is damaged (an unknown
// escape, a lone backslash at its end, bytes that are not UTF-8, or a control character other
// than a tab and the escaped line breaks).
std::optional<QString> unescapedLine(QByteArrayView line);

} // namespace quorvix::app
