#include "answer_text.h"

#include "number_format.h"

namespace quorvix {

std::optional<QString> answerText(const ScriptValue& value, QChar decimalSeparator,
                                  const vbs::DateForm& dates) {
    const char16_t sep = decimalSeparator.unicode();
    using Kind = ScriptValue::Kind;
    switch (value.kind) {
    case Kind::Empty:
        return QString();
    case Kind::Null:
        return std::nullopt;
    case Kind::Boolean:
        return value.boolean ? QStringLiteral("True") : QStringLiteral("False");
    case Kind::Byte:
    case Kind::Integer:
    case Kind::Long:
        return QString::number(value.integer);
    case Kind::Single:
        return QString::fromStdU16String(vbs::formatSingle(static_cast<float>(value.number), sep));
    case Kind::Double:
        return QString::fromStdU16String(vbs::formatDouble(value.number, sep));
    case Kind::Currency:
        return QString::fromStdU16String(vbs::formatCurrency(value.integer, sep));
    case Kind::Date:
        return QString::fromStdU16String(vbs::formatDate(value.number, dates));
    case Kind::String:
        return value.text;
    case Kind::Object:
        if (value.hasText) {
            return value.text;
        }
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace quorvix
