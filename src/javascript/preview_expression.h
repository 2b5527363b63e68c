#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace quorvix {

// What an expression offered for a preview reads besides its literals, once its text has been
// found to hold only number literals, simple string literals, operators that assign nothing,
// brackets, commas, names and Math.<member>.
struct PreviewReads {
    QStringList globals;     // names read from the global object
    QStringList mathMembers; // members of Math
};

// nullopt for a text that holds anything else: an assignment, ++ or --, a member of anything
// but Math (or Math.random), a keyword, a regular expression, a template, a comment, an escape,
// a line break. Reading the text here runs nothing; whether the names hold what a preview may
// read is for the engine to check (see PreviewGuard).
std::optional<PreviewReads> previewReads(const QString& expression);

} // namespace quorvix
