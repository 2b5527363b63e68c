// The settings reader on arbitrary file content: no crash, at most a press, the selection and a
// press come out, and the text read in two pieces, cut anywhere, gives what it gives whole.
#include "settings_file.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView content(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto actions = quorvix::app::settingsActions(content);
    if (actions.size() > 3) {
        std::abort();
    }
    const qsizetype cut = content.isEmpty() ? 0 : qsizetype(data[0]) % (content.size() + 1);
    quorvix::app::SettingsReader reader;
    reader.feed(content.first(cut));
    reader.feed(content.sliced(cut));
    if (reader.finish() != actions) {
        std::abort();
    }
    return 0;
}
