#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>
#include <optional>

namespace quorvix::app {

// The program's record files (the input history, the result tape): UTF-8 text of one record a
// line after a header line, newest records last, which every running copy of the program keeps
// together.

// Whether `bytes` are a record file with this header: empty (a file not yet written), or
// beginning with the header line. Anything else is some other file, which the program leaves as
// it is.
bool isRecordFile(QByteArrayView bytes, QByteArrayView header);

// What a record file holds, as far as it can be read without blocking: the whole file, or of a
// file over `limit` bytes its header line and its newest whole lines within the limit. Empty when
// there is no regular file to read.
QByteArray readRecordFile(const QString& path, qsizetype limit);

// The file as `change` makes it from what the file holds at that moment (as readRecordFile reads
// it); nothing from `change` leaves it as it is. Two copies of the program take turns through an
// advisory lock file beside it, so that neither writes over what the other has just added. The
// new text replaces the file whole, readable by the user only; its folder is made if need be.
// False when the file could not be locked or written.
using RecordChange = std::function<std::optional<QByteArray>(const QByteArray& held)>;
bool changeRecordFile(const QString& path, qsizetype limit, const RecordChange& change);

} // namespace quorvix::app
