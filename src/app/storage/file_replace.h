#pragma once

#include <QByteArrayView>
#include <QString>

namespace quorvix::app {

enum class FileAccess {
    KeepExisting, // an existing file's permissions are kept; a new file gets the usual ones
    OwnerOnly,    // the file ends up readable and writable by its owner only (mode 0600)
};

// Gives the file `path` the content `bytes` whole, or leaves it as it was: the bytes go to a new
// file in the same folder, reach the disk, and the new file is renamed over the old name. A
// crash or a full disk part way leaves the old file. A symbolic link of that name is replaced,
// never written through. Only where the folder takes no new files is an existing regular file
// overwritten in place, as the last resort. False when nothing could be written; never blocks.
bool replaceFile(const QString& path, QByteArrayView bytes,
                 FileAccess access = FileAccess::KeepExisting);

} // namespace quorvix::app
