#include "terminal_session.h"

namespace quorvix::cli {

namespace {
const QString kPrompt = QStringLiteral("> ");
const QString kContinuationPrompt = QStringLiteral(">> ");
} // namespace

std::optional<QString> withoutContinuation(const QString& line) {
    if (line.size() < 2 || !line.endsWith(u'_') || !line.at(line.size() - 2).isSpace()) {
        return std::nullopt;
    }
    return line.first(line.size() - 1);
}

void runTerminalSession(LineEditor& editor, const TerminalSession& session) {
    QString input;
    for (;;) {
        const EditedLine line = editor.read(input.isEmpty() ? kPrompt : kContinuationPrompt);
        if (line.kind == EditedLine::Kind::End) {
            if (input.isEmpty()) {
                return;
            }
            // Ctrl+D in the middle of a statement drops the statement, not the session.
            input.clear();
            continue;
        }
        if (line.kind == EditedLine::Kind::Cancelled) {
            input.clear();
            continue;
        }
        input += line.text;
        if (session.continuesLines) {
            if (const std::optional<QString> start = withoutContinuation(input)) {
                input = *start;
                continue;
            }
        }
        if (input.size() > session.maxLength) {
            session.refuseTooLong();
        } else {
            if (!input.trimmed().isEmpty()) {
                session.remember(input);
            }
            session.evaluate(input);
        }
        input.clear();
    }
}

} // namespace quorvix::cli
