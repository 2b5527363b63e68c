#pragma once

#include "line_editor.h"

#include <QString>
#include <functional>

namespace quorvix::cli {

struct TerminalSession {
    // VBScript goes on reading a statement whose line ends in " _".
    bool continuesLines = false;
    qsizetype maxLength = 0;
    std::function<void(const QString& input)> evaluate;
    std::function<void()> refuseTooLong;
    // Keeps an input that was evaluated, for Up and Ctrl+R now and in later sessions.
    std::function<void(const QString& input)> remember;
};

// Reads and evaluates inputs at the terminal, with a prompt, until Ctrl+D on an empty line.
void runTerminalSession(LineEditor& editor, const TerminalSession& session);

// The statement so far without its continuation mark, when `line` ends in white space and "_".
std::optional<QString> withoutContinuation(const QString& line);

} // namespace quorvix::cli
