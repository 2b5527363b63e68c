#include "library_file.h"

#include "file_head.h"

#include <QDir>
#include <QFileInfo>

namespace quorvix::app {

std::optional<LibraryScript> readLibraryBeside(const QString& settingsPath,
                                               ScriptLanguage language) {
    if (settingsPath.isEmpty()) {
        return std::nullopt;
    }
    LibraryScript library;
    library.fileName = libraryFileName(language);
    const QString path = QFileInfo(settingsPath).dir().filePath(library.fileName);
    // One byte over the limit tells a file that is too large from one that just fits.
    const ui::FileHead head = ui::readFileHead(path, kLibraryReadLimit + 1);
    if (!head.regularFile) {
        return std::nullopt;
    }
    if (!head.readable) {
        library.problem = QStringLiteral("%1 could not be read").arg(library.fileName);
    } else if (head.bytes.size() > kLibraryReadLimit) {
        library.problem = QStringLiteral("%1 is larger than %2 bytes and was not run")
                              .arg(library.fileName)
                              .arg(kLibraryReadLimit);
    } else {
        // The decoder drops a byte-order mark at the start.
        library.source = QString::fromUtf8(head.bytes);
    }
    return library;
}

} // namespace quorvix::app
