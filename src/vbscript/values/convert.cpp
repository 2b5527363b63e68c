#include "convert.h"

#include "number_format.h"
#include "radix.h"

#include <cfenv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace vbs {
namespace {

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}
bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// "&H..." / "&O..." text: the whole text is the number (see radixPattern).
bool parseRadixText(std::u16string_view s, double& out) {
    if (s.size() < 3 || s[0] != u'&' || radixOf(s[1]) == 0) {
        return false;
    }
    std::uint32_t value = 0;
    std::size_t digits = 0;
    if (!readRadixDigits(s.substr(2), radixOf(s[1]), value, digits) || digits != s.size() - 2) {
        return false;
    }
    out = radixPattern(value, digits, radixOf(s[1]), false);
    return true;
}

// Reads the numbers of one word separated by any of `seps`; false on anything else.
bool splitNumbers(std::u16string_view word, std::u16string_view seps, int (&nums)[3], int& count,
                  int& firstDigits) {
    count = 0;
    std::size_t i = 0;
    firstDigits = 0;
    while (i < word.size()) {
        if (count == 3 || !isDigit(word[i])) {
            return false;
        }
        long value = 0;
        int digits = 0;
        while (i < word.size() && isDigit(word[i])) {
            value = value * 10 + (word[i] - u'0');
            if (++digits > 4) {
                return false;
            }
            ++i;
        }
        if (count == 0) {
            firstDigits = digits;
        }
        nums[count++] = static_cast<int>(value);
        if (i < word.size()) {
            if (seps.find(word[i]) == std::u16string_view::npos || i + 1 == word.size()) {
                return false;
            }
            ++i;
        }
    }
    return count > 0;
}

std::u16string_view trimFront(std::u16string_view s) {
    while (!s.empty() && isBlank(s.front())) {
        s.remove_prefix(1);
    }
    return s;
}

std::u16string_view trimBack(std::u16string_view s) {
    while (!s.empty() && isBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

std::u16string_view trimBlanks(std::u16string_view s) {
    return trimBack(trimFront(s));
}

// Takes off what surrounds the digits of numeric text: "(5)" is -5 as in accounts, then a
// sign and the currency symbol, each at most once, in either order at either end ("-$11",
// "$-11", "11$", "11-"). True when the number is negative.
bool stripSignAndCurrency(std::u16string_view& s, char16_t currency) {
    bool negative = false;
    if (s.front() == u'(' && s.back() == u')') {
        negative = true;
        s = s.substr(1, s.size() - 2);
    }
    bool signSeen = false;
    bool currencySeen = false;
    for (int pass = 0; pass < 2 && !s.empty(); ++pass) {
        if (!signSeen && (s.front() == u'+' || s.front() == u'-')) {
            negative = negative != (s.front() == u'-');
            signSeen = true;
            s.remove_prefix(1);
        } else if (!signSeen && (s.back() == u'+' || s.back() == u'-')) {
            negative = negative != (s.back() == u'-');
            signSeen = true;
            s.remove_suffix(1);
        } else if (!currencySeen && s.front() == currency) {
            currencySeen = true;
            s = trimFront(s.substr(1));
        } else if (!currencySeen && s.back() == currency) {
            currencySeen = true;
            s = trimBack(s.substr(0, s.size() - 1));
        }
    }
    return negative;
}

// Appends the exponent at s[i] ("e5", "E-3": digits required) to `ascii`; true when there is
// none or it is whole.
bool exponentToAscii(std::u16string_view s, std::size_t& i, std::string& ascii) {
    if (i >= s.size() || (s[i] != u'e' && s[i] != u'E')) {
        return true;
    }
    ascii.push_back('e');
    ++i;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
        ascii.push_back(static_cast<char>(s[i]));
        ++i;
    }
    const std::size_t first = i;
    while (i < s.size() && isDigit(s[i])) {
        ascii.push_back(static_cast<char>(s[i]));
        ++i;
    }
    return i > first;
}

// The number in the locale's spelling, as ASCII for strtod: digits with thousands separators
// (only after a digit, and dropped), one decimal separator, an exponent. False when a digit is
// missing or anything else is left.
bool numberToAscii(std::u16string_view s, const NumberLocale& locale, std::string& ascii) {
    std::size_t i = 0;
    bool digits = false;
    while (i < s.size() && (isDigit(s[i]) || (s[i] == locale.thousands && digits))) {
        if (s[i] != locale.thousands) {
            ascii.push_back(static_cast<char>(s[i]));
        }
        digits = true;
        ++i;
    }
    if (i < s.size() && s[i] == locale.decimal) {
        ascii.push_back('.');
        ++i;
        while (i < s.size() && isDigit(s[i])) {
            ascii.push_back(static_cast<char>(s[i]));
            digits = true;
            ++i;
        }
    }
    return digits && exponentToAscii(s, i, ascii) && i == s.size();
}

// What the words of a date text said so far.
struct DateTextParts {
    bool haveDate = false;
    bool haveTime = false;
    int ampm = 0; // 1 AM, 2 PM
    double days = 0;
    int hms[3] = {0, 0, 0};
};

// "4:05" or "4:05:06": hours, minutes and seconds; their ranges are checked once AM or PM is
// known.
bool readTimeWord(std::u16string_view word, DateTextParts& parts) {
    int nums[3];
    int count = 0;
    int firstDigits = 0;
    if (parts.haveTime || !splitNumbers(word, u":", nums, count, firstDigits) || count < 2) {
        return false;
    }
    for (int k = 0; k < count; ++k) {
        parts.hms[k] = nums[k];
    }
    parts.haveTime = true;
    return true;
}

// "1/2/2003", "1-2-03": three numbers in the order of `form`, except that a first number of
// three or more digits is a year and the date then reads year-month-day ("2003-01-02"). A
// two-digit year is 1930...2029.
bool readDayWord(std::u16string_view word, const DateForm& form, DateTextParts& parts) {
    int nums[3];
    int count = 0;
    int firstDigits = 0;
    const char16_t separators[] = {u'/', u'-', form.separator, u'\0'};
    if (parts.haveDate || !splitNumbers(word, separators, nums, count, firstDigits) || count != 3) {
        return false;
    }
    int y = nums[2];
    int m = nums[0];
    int d = nums[1];
    if (firstDigits >= 3 || form.order == DateForm::Order::YearMonthDay) {
        y = nums[0];
        m = nums[1];
        d = nums[2];
    } else if (form.order == DateForm::Order::DayMonthYear) {
        std::swap(m, d);
    }
    if (y < 100 && firstDigits < 3) {
        y += y < 30 ? 2000 : 1900;
    }
    parts.haveDate = serialFromDate(y, m, d, parts.days);
    return parts.haveDate;
}

// One lower-case word: a date, a time (perhaps with "am"/"pm" joined: "4:05pm") or "AM"/"PM"
// after the time.
bool readDateWord(std::u16string word, const DateForm& form, DateTextParts& parts) {
    if (word.size() > 2 && (word.ends_with(u"am") || word.ends_with(u"pm")) &&
        isDigit(word[word.size() - 3])) {
        parts.ampm = word.ends_with(u"am") ? 1 : 2;
        word.resize(word.size() - 2);
    }
    if (word == u"am" || word == u"pm") {
        if (parts.ampm != 0 || !parts.haveTime) {
            return false;
        }
        parts.ampm = word == u"am" ? 1 : 2;
        return true;
    }
    return word.find(u':') != std::u16string::npos ? readTimeWord(word, parts)
                                                   : readDayWord(word, form, parts);
}

// The serial of what the words said: days plus the time as a fraction of a day, which counts
// away from day 0 (before 30 Dec 1899 the fraction is subtracted). With AM/PM the hour is
// 1...12 (12 AM is midnight), else 0...23.
bool serialFromParts(DateTextParts& parts, double& out) {
    if (!parts.haveDate && !parts.haveTime) {
        return false;
    }
    int(&hms)[3] = parts.hms;
    if (parts.ampm != 0) {
        if (hms[0] < 1 || hms[0] > 12) {
            return false;
        }
        hms[0] = hms[0] % 12 + (parts.ampm == 2 ? 12 : 0);
    }
    if (hms[0] > 23 || hms[1] > 59 || hms[2] > 59) {
        return false;
    }
    const double fraction = (hms[0] * 3600 + hms[1] * 60 + hms[2]) / 86400.0;
    out = parts.days < 0 ? parts.days - fraction : parts.days + fraction;
    return true;
}

} // namespace

std::u16string asciiToU16(std::string_view s) {
    return {s.begin(), s.end()};
}

std::u16string lowerAscii(std::u16string_view s) {
    std::u16string out(s);
    for (char16_t& c : out) {
        if (c >= u'A' && c <= u'Z') {
            c = static_cast<char16_t>(c + 32);
        }
    }
    return out;
}

char16_t upperLatin1(char16_t c) {
    if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) {
        return static_cast<char16_t>(c - 32);
    }
    return c;
}

char16_t lowerLatin1(char16_t c) {
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
        return static_cast<char16_t>(c + 32);
    }
    return c;
}

std::u16string foldForTextCompare(std::u16string_view s) {
    std::u16string out(s);
    for (char16_t& c : out) {
        c = lowerLatin1(c);
    }
    return out;
}

double roundHalfEven(double x) {
    // nearbyint follows the current rounding mode, which is to-nearest-even unless someone
    // changed it; say so explicitly rather than rely on it.
    const int saved = std::fegetround();
    if (saved != FE_TONEAREST) {
        std::fesetround(FE_TONEAREST);
    }
    const double r = std::nearbyint(x);
    if (saved != FE_TONEAREST) {
        std::fesetround(saved);
    }
    return r;
}

bool parseNumericText(std::u16string_view text, const NumberLocale& locale, double& out) {
    std::u16string_view s = trimBlanks(text);
    if (s.empty()) {
        return false;
    }
    if (s[0] == u'&') {
        return parseRadixText(s, out);
    }
    const bool negative = stripSignAndCurrency(s, locale.currency);
    std::string ascii;
    if (!numberToAscii(s, locale, ascii)) {
        return false;
    }
    const double value = std::strtod(ascii.c_str(), nullptr);
    if (std::isinf(value)) {
        return false;
    }
    out = negative ? -value : value;
    return true;
}

bool isNumericType(VarType t) {
    switch (t) {
    case VarType::Empty:
    case VarType::Boolean:
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
    case VarType::Single:
    case VarType::Double:
    case VarType::Currency:
    case VarType::Date:
        return true;
    default:
        return false;
    }
}

Result<double> toDouble(const Variant& v, const NumberLocale& locale) {
    switch (v.type()) {
    case VarType::Empty:
        return 0.0;
    case VarType::Null:
        return Outcome::InvalidNull;
    case VarType::Boolean:
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
        return static_cast<double>(v.asInt());
    case VarType::Currency:
        return static_cast<double>(v.asInt()) / 10000.0;
    case VarType::Single:
    case VarType::Double:
    case VarType::Date:
        return v.asDouble();
    case VarType::String: {
        double parsed = 0;
        if (!parseNumericText(v.asString(), locale, parsed)) {
            return Outcome::TypeMismatch;
        }
        return parsed;
    }
    case VarType::Object:
        return v.asObject() ? Outcome::NoSuchMember : Outcome::ObjectNotSet;
    default:
        return Outcome::TypeMismatch;
    }
}

Result<std::int32_t> toLong(const Variant& v, const NumberLocale& locale) {
    if (v.isIntegral() && v.type() != VarType::Boolean) {
        return static_cast<std::int32_t>(v.asInt());
    }
    const double d = roundHalfEven(VBS_TRY_VALUE(toDouble(v, locale)));
    if (!(d >= -2147483648.0 && d <= 2147483647.0)) {
        return Outcome::Overflow;
    }
    return static_cast<std::int32_t>(d);
}

Result<bool> toBool(const Variant& v, const NumberLocale& locale) {
    if (v.type() == VarType::String) {
        const std::u16string_view s = v.asString();
        const std::u16string lower = lowerAscii(s);
        if (lower == u"true" || s == u"#TRUE#") {
            return true;
        }
        if (lower == u"false" || s == u"#FALSE#") {
            return false;
        }
    }
    if (v.type() == VarType::Boolean) {
        return v.asBool();
    }
    return VBS_TRY_VALUE(toDouble(v, locale)) != 0;
}

Result<std::u16string> toText(const Variant& v, const NumberLocale& locale) {
    switch (v.type()) {
    case VarType::Empty:
        return std::u16string();
    case VarType::Null:
        return Outcome::InvalidNull;
    case VarType::Boolean:
        return std::u16string(v.asBool() ? u"True" : u"False");
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
        return asciiToU16(std::to_string(v.asInt()));
    case VarType::Single:
        return formatSingle(static_cast<float>(v.asDouble()), locale.decimal);
    case VarType::Double:
        return formatDouble(v.asDouble(), locale.decimal);
    case VarType::Currency:
        return formatCurrency(v.asInt(), locale.decimal);
    case VarType::Date:
        return formatDate(v.asDouble(), locale.dates);
    case VarType::String:
        return std::u16string(v.asString());
    case VarType::Object:
        return v.asObject() ? Outcome::NoSuchMember : Outcome::ObjectNotSet;
    default:
        return Outcome::TypeMismatch;
    }
}

Result<double> toDate(const Variant& v, const NumberLocale& locale) {
    double serial = 0;
    if (v.type() == VarType::String && parseDateText(v.asString(), serial, locale.dates)) {
        return serial;
    }
    serial = VBS_TRY_VALUE(toDouble(v, locale));
    if (!inDateRange(serial)) {
        return Outcome::Overflow;
    }
    return serial;
}

// Date text is read word by word (words are separated by blanks): at most one date word, at
// most one time word, and AM or PM after the time, either as its own word or joined to it.
bool parseDateText(std::u16string_view text, double& out, const DateForm& form) {
    DateTextParts parts;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && isBlank(text[i])) {
            ++i;
        }
        std::size_t j = i;
        while (j < text.size() && !isBlank(text[j])) {
            ++j;
        }
        if (i == j) {
            break;
        }
        if (!readDateWord(lowerAscii(text.substr(i, j - i)), form, parts)) {
            return false;
        }
        i = j;
    }
    return serialFromParts(parts, out);
}

} // namespace vbs
