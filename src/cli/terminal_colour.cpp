#include "terminal_colour.h"

namespace quorvix::cli {

bool colourWanted(bool toTerminal, const char* noColorValue) {
    return toTerminal && (noColorValue == nullptr || *noColorValue == '\0');
}

QString coloured(const QString& text, OutputKind kind) {
    if (text.isEmpty()) {
        return text;
    }
    const QLatin1StringView start(kind == OutputKind::Answer ? "\x1b[1m" : "\x1b[31m");
    return start + text + QLatin1StringView("\x1b[0m");
}

} // namespace quorvix::cli
