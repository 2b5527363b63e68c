#pragma once

#include "number_format.h"

#include <QLocale>

namespace quorvix {

// How `locale` writes dates, for VBScript's date text: the order and separator of its short
// date (always with a four-digit year) and whether its times use 24 hours. The C locale, and
// any locale whose short date is not all numbers, keep the US form.
vbs::DateForm dateFormOf(const QLocale& locale);

} // namespace quorvix
