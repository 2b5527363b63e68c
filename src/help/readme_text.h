#pragma once

#include <QByteArrayView>
#include <QString>

namespace quorvix::help {

// The text the help window shows for the read-me's bytes: every line followed by CR LF, the
// last one too; an empty file gives an empty text.
//
// A line ends at CR or at CR LF; a LF on its own stays part of its line. The bytes are read as
// UTF-8 when they are valid UTF-8, else as Latin-1 (so an old 8-bit read-me still reads
// sensibly and no byte is lost). A NUL shows as the symbol for null, U+2400.
//
// `fileSize` is the size of the whole file; when it is larger than `bytes` (the help window
// loads only the file's first part), the part is cut after its last whole line and a closing
// line says how much was left out.
//
// A line longer than kLongLine characters is shown in pieces of that length, each on a line of
// its own.
inline constexpr qsizetype kLongLine = 4096;
QString readmeText(QByteArrayView bytes, qint64 fileSize);

} // namespace quorvix::help
