#pragma once

#include "personal_library.h"

#include <QString>
#include <optional>

namespace quorvix::app {

// Reading stops here: a library is a page of the user's own functions, and a huge file must
// not hold up the first evaluation.
inline constexpr qsizetype kLibraryReadLimit = qsizetype(1) << 20;

// The user's library for `language` beside the settings file at `settingsPath` (the two share
// one home), read as UTF-8 (a leading byte-order mark dropped). Nullopt when there is no such
// file or no home; a file too large or unreadable comes back with its problem instead of its
// text. Never blocks.
std::optional<LibraryScript> readLibraryBeside(const QString& settingsPath,
                                               ScriptLanguage language);

} // namespace quorvix::app
