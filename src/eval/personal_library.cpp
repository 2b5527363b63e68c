#include "personal_library.h"

namespace quorvix {

QString libraryFileName(ScriptLanguage language) {
    return language == ScriptLanguage::JavaScript ? QStringLiteral("Quorvix-library.js")
                                                  : QStringLiteral("Quorvix-library.vbs");
}

QString libraryFailureMessage(const QString& fileName, QStringView source,
                              std::optional<qsizetype> position, const QString& description) {
    if (!position || *position < 0 || *position > source.size()) {
        return fileName + QStringLiteral(": ") + description;
    }
    // Lines end at LF; a file with CR LF ends counts the same.
    const qsizetype line = source.first(*position).count(u'\n') + 1;
    return QStringLiteral("%1, line %2: %3").arg(fileName).arg(line).arg(description);
}

} // namespace quorvix
