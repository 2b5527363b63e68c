#pragma once

#include "number_format.h"
#include "script_value.h"

#include <QString>
#include <optional>

namespace quorvix {

// The text of an answer as the output box shows it, the same rule for both languages: whole
// numbers as digits, Double with at most 15 significant digits (E form outside fixed range),
// Single with 7, the given decimal separator, "True"/"False", Empty as "", non-finite numbers
// as "Infinity", "-Infinity", "NaN", a date in the given date form. Null and objects without a
// text form have none: nullopt.
std::optional<QString> answerText(const ScriptValue& value, QChar decimalSeparator,
                                  const vbs::DateForm& dates = {});

} // namespace quorvix
