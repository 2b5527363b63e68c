#include "locale_ids.h"

#include "convert.h"

#include <string>

namespace vbs {
namespace {

struct LocaleRow {
    const char16_t* name; // lower case, "-" between language and country
    std::int32_t id;
};

// Ids from Microsoft's locale id chart, for the locales a desktop commonly runs in.
constexpr LocaleRow kLocales[] = {
    {u"en-us", 1033}, {u"en-gb", 2057}, {u"en-au", 3081},  {u"en-ca", 4105}, {u"en-nz", 5129},
    {u"en-ie", 6153}, {u"en-za", 7177}, {u"en-in", 16393}, {u"de-de", 1031}, {u"de-at", 3079},
    {u"de-ch", 2055}, {u"fr-fr", 1036}, {u"fr-ca", 3084},  {u"fr-be", 2060}, {u"fr-ch", 4108},
    {u"it-it", 1040}, {u"es-es", 3082}, {u"es-mx", 2058},  {u"pt-br", 1046}, {u"pt-pt", 2070},
    {u"nl-nl", 1043}, {u"nl-be", 2067}, {u"sv-se", 1053},  {u"da-dk", 1030}, {u"nb-no", 1044},
    {u"fi-fi", 1035}, {u"pl-pl", 1045}, {u"cs-cz", 1029},  {u"sk-sk", 1051}, {u"hu-hu", 1038},
    {u"ro-ro", 1048}, {u"bg-bg", 1026}, {u"hr-hr", 1050},  {u"sl-si", 1060}, {u"ru-ru", 1049},
    {u"uk-ua", 1058}, {u"el-gr", 1032}, {u"tr-tr", 1055},  {u"he-il", 1037}, {u"ar-sa", 1025},
    {u"ja-jp", 1041}, {u"ko-kr", 1042}, {u"zh-cn", 2052},  {u"zh-tw", 1028}, {u"th-th", 1054},
    {u"vi-vn", 1066}, {u"id-id", 1057}, {u"hi-in", 1081},  {u"ca-es", 1027}, {u"is-is", 1039},
    {u"et-ee", 1061}, {u"lv-lv", 1062}, {u"lt-lt", 1063},
};

} // namespace

std::int32_t localeIdOf(std::u16string_view name) {
    if (name.empty()) {
        return 0;
    }
    std::u16string key = lowerAscii(name);
    for (char16_t& c : key) {
        if (c == u'_') {
            c = u'-';
        }
    }
    if (key == u"c" || key == u"posix") {
        return kUnitedStatesLocaleId;
    }
    for (const LocaleRow& row : kLocales) {
        const std::u16string_view rowName = row.name;
        // A bare language is the first row of that language, its usual country.
        if (key == rowName || (key.size() == 2 && rowName.substr(0, 3) == key + u"-")) {
            return row.id;
        }
    }
    return kUserDefaultLocaleId;
}

} // namespace vbs
