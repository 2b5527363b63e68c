#include "user_locale.h"

#include "date_form.h"

namespace quorvix {

UserLocale userLocaleOf(const QLocale& locale) {
    UserLocale user;
    const QString decimal = locale.decimalPoint();
    if (decimal.size() == 1) {
        user.decimalSeparator = decimal.at(0);
    }
    const QString currency = locale.currencySymbol(QLocale::CurrencySymbol);
    if (currency.size() == 1) {
        user.currencySymbol = currency.at(0);
    }
    user.dates = dateFormOf(locale);
    user.name = locale.name();
    return user;
}

} // namespace quorvix
