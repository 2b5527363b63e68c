#pragma once

#include "input_rewrites.h"
#include "name_at_cursor.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace quorvix::app {

// What completion offers for the name being typed at `cursor`, in the window's input line and at
// quorvix-eval's prompt alike: the language's keywords and built-ins (or a qualifier's members,
// "Math." in JavaScript) and the user's names, those that begin with the typed prefix (without
// regard to case), sorted. Nothing where no name can be typed (see namePrefixAt).
struct NameCandidates {
    NamePrefix prefix;
    QStringList names;
};
// `userNames` are the session's global names as the engine gives them; `spelled` gives each one
// as the user writes it.
std::optional<NameCandidates> nameCandidates(const QString& text, qsizetype cursor,
                                             ScriptLanguage language, const QStringList& userNames,
                                             const std::function<QString(const QString&)>& spelled,
                                             bool allowEmpty = false);

} // namespace quorvix::app
