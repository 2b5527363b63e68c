#pragma once

#include "number_format.h"

#include <QChar>
#include <QLocale>

namespace quorvix {

// How the user writes numbers and dates. The program reads it once from the system's locale
// and hands it to the engine and the evaluation command, which read no locale of their own:
// what they do depends only on what they are given. The default is the C locale's.
struct UserLocale {
    QChar decimalSeparator = u'.';
    // Accepted once in front of or behind numeric text ("$11", "11 €").
    QChar currencySymbol = u'$';
    vbs::DateForm dates;
    // The locale's name ("de_DE"), from which GetLocale finds its number; empty for none.
    QString name;
};

// `locale`'s separator, currency symbol and date form: "." where its decimal point is not one
// character, "$" where its currency symbol is not.
UserLocale userLocaleOf(const QLocale& locale);

} // namespace quorvix
