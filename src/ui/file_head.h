#pragma once

#include <QByteArray>
#include <QString>

namespace quorvix::ui {

// The start of a file, read without ever blocking: the program's own small files (the read-me,
// the settings) sit in a folder the user controls, where a name may turn out to be a folder, a
// fifo, a device, an unreadable or a huge file.
struct FileHead {
    bool regularFile = false; // the path names a regular file (links followed)
    bool readable = false;    // it was opened and read without an error
    QByteArray bytes;         // its first (or last) bytes, at most the limit asked for
    qint64 size = 0;          // its size in bytes when it was opened
};

enum class FilePart { Start, End };

// Opens `path` non-blocking and reads at most `maxBytes` of it, from its start or, for a file
// whose newest lines come last, its end; anything that is not a regular file is not read at all.
FileHead readFileHead(const QString& path, qsizetype maxBytes, FilePart part = FilePart::Start);

} // namespace quorvix::ui
