#include "timeout_description.h"

#include "number_format.h"

namespace quorvix {

QString timeoutDescription(std::chrono::milliseconds limit) {
    const double seconds = static_cast<double>(limit.count()) / 1000.0;
    return QStringLiteral("Script timed out after %1 %2")
        .arg(QString::fromStdU16String(vbs::formatDouble(seconds)),
             seconds == 1.0 ? QStringLiteral("second") : QStringLiteral("seconds"));
}

} // namespace quorvix
