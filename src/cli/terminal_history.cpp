#include "terminal_history.h"

#include "history_file.h"
#include "input_history.h"
#include "record_file.h"

namespace quorvix::cli {

QStringList TerminalHistory::load() const {
    const std::optional<app::HistoryContent> kept =
        app::parseHistory(app::readRecordFile(m_file.readPath, app::kHistoryReadLimit));
    return kept && kept->remember ? kept->entries : QStringList();
}

bool TerminalHistory::record(const QString& input) const {
    if (m_file.writePath.isEmpty()) {
        return false;
    }
    return app::changeRecordFile(
        m_file.writePath, app::kHistoryReadLimit,
        [&](const QByteArray& held) -> std::optional<QByteArray> {
            std::optional<app::HistoryContent> kept = app::parseHistory(held);
            if (!kept || !kept->remember) {
                return std::nullopt; // another program's file, or one the user keeps empty
            }
            app::InputHistory all;
            all.addOlder(kept->entries);
            if (!all.add(input)) {
                return std::nullopt;
            }
            kept->entries = all.entries();
            return app::historyText(*kept);
        });
}

} // namespace quorvix::cli
