#pragma once

#include "input_rewrites.h"

#include <QString>
#include <QStringView>
#include <optional>

namespace quorvix {

// The user's own functions and constants, run once in the engine's global scope before the
// first evaluation, right after Pi is defined (so the library may use Pi).
struct LibraryScript {
    QString fileName; // "Quorvix-library.vbs" or "Quorvix-library.js", for messages
    QString source;
    // Set when the file is there but cannot be run (too large, unreadable): shown instead of
    // running it.
    QString problem;
};

// The library's file name for a language.
QString libraryFileName(ScriptLanguage language);

// What the output box shows when the library failed: "Quorvix-library.vbs, line 3: Syntax
// error", the line counted from the failure's position in `source` when the engine knows it.
QString libraryFailureMessage(const QString& fileName, QStringView source,
                              std::optional<qsizetype> position, const QString& description);

} // namespace quorvix
