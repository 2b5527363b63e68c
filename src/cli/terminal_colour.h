#pragma once

#include <QString>

namespace quorvix::cli {

enum class OutputKind { Answer, Failure };

// Answers and errors are coloured only when they go to a terminal, and never when NO_COLOR is
// set to anything but the empty text, the convention terminal programs share: a pipe or a file
// gets the output box's text exactly.
bool colourWanted(bool toTerminal, const char* noColorValue);

// The text with the terminal's codes around it: answers bold, errors and messages red.
QString coloured(const QString& text, OutputKind kind);

} // namespace quorvix::cli
