#include "date_form.h"

#include <algorithm>

namespace quorvix {

vbs::DateForm dateFormOf(const QLocale& locale) {
    using Order = vbs::DateForm::Order;
    vbs::DateForm form;
    if (locale.language() == QLocale::C) {
        return form;
    }
    const QString date = locale.dateFormat(QLocale::ShortFormat);
    const qsizetype day = date.indexOf(u'd');
    const qsizetype month = date.indexOf(u'M');
    const qsizetype year = date.indexOf(u'y');
    if (day < 0 || month < 0 || year < 0 || date.contains(u"MMM") || date.contains(u"ddd")) {
        return form;
    }
    if (month < day && day < year) {
        form.order = Order::MonthDayYear;
    } else if (day < month && month < year) {
        form.order = Order::DayMonthYear;
    } else if (year < month && month < day) {
        form.order = Order::YearMonthDay;
    } else {
        return form;
    }
    // The first character after the first field that is not a letter or a blank.
    const qsizetype first = std::min({day, month, year});
    for (qsizetype i = first; i < date.size(); ++i) {
        const QChar c = date.at(i);
        if (!c.isLetter() && !c.isSpace() && c != u'\'') {
            form.separator = c.unicode();
            break;
        }
    }
    form.padDay = date.contains(u"dd");
    form.padMonth = date.contains(u"MM");
    const QString time = locale.timeFormat(QLocale::ShortFormat);
    form.hour24 = !time.contains(u'a', Qt::CaseInsensitive);
    form.padHour = time.contains(u"hh", Qt::CaseInsensitive);
    return form;
}

} // namespace quorvix
