#pragma once

#include "settings_file.h"

#include <QString>
#include <QStringList>

namespace quorvix::cli {

// quorvix-eval's inputs at the terminal, kept from session to session in a file of their own
// beside the window's history, in its format and under its rules: readable by the user only,
// replaced whole, at most as many entries as the window keeps, and merged with what other
// sessions wrote meanwhile.
inline constexpr QLatin1StringView kTerminalHistoryFileName("Quorvix-eval-history.txt");

class TerminalHistory {
public:
    explicit TerminalHistory(app::KeptFile file) : m_file(std::move(file)) {}

    // The entries kept so far, oldest first; none when the file is missing or not a history.
    QStringList load() const;
    // Adds the input as the newest entry and writes the file at once; false when it could not
    // be written (the session goes on all the same).
    bool record(const QString& input) const;

private:
    app::KeptFile m_file;
};

} // namespace quorvix::cli
