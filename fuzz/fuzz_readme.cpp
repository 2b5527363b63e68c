// The read-me reader on arbitrary bytes, whole or as the first part of a larger file: no crash,
// and the text always ends with a line end unless it is empty.
#include "readme_text.h"

#include <QString>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const qint64 fileSize : {qint64(size), qint64(size) + 1000}) {
        const QString text = quorvix::help::readmeText(bytes, fileSize);
        if (!text.isEmpty() && !text.endsWith(QLatin1String("\r\n"))) {
            std::abort();
        }
    }
    return 0;
}
