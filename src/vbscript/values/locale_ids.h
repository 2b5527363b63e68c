#pragma once

#include <cstdint>
#include <string_view>

namespace vbs {

// The locale id GetLocale reports for the user's locale when it is not in the table: Windows'
// own id for "the user's default locale".
inline constexpr std::int32_t kUserDefaultLocaleId = 1024;
inline constexpr std::int32_t kUnitedStatesLocaleId = 1033;

// The Windows locale id of a locale name such as "de-DE" or "de_DE" (any case); a bare
// language or "C" counts as its usual country ("C" as en-US). kUserDefaultLocaleId for names
// the table does not hold, 0 for an empty name.
std::int32_t localeIdOf(std::u16string_view name);

} // namespace vbs
