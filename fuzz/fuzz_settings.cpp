// The settings reader on arbitrary file content: no crash, and only the two effective items
// ever come out as actions, never more of them than the file has items.
#include "settings_file.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView content(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto items = quorvix::app::settingsItems(content);
    const auto actions = quorvix::app::settingsActions(content);
    if (actions.size() > items.size()) {
        std::abort();
    }
    return 0;
}
