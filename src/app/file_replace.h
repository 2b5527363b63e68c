#pragma once

#include <QByteArrayView>
#include <QString>

namespace quorvix::app {

// Gives the file `path` the content `bytes` whole, or leaves it as it was: the bytes go to a new
// file in the same folder, reach the disk, and the new file is renamed over the old name. A
// crash or a full disk part way leaves the old file. A symbolic link of that name is replaced,
// never written through. Only where the folder takes no new files is an existing regular file
// overwritten in place, as the last resort. An existing file's permissions are kept. False when
// nothing could be written; never blocks.
bool replaceFile(const QString& path, QByteArrayView bytes);

} // namespace quorvix::app
