#include "builtin_functions.h"
#include "builtin_helpers.h"
#include "limits/script_limits.h"
#include "public/memory_budget.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace vbs::fn {
namespace {

// Windows-1252, the code page of an English system, for the characters 128-159 that differ
// from Latin-1; 0 marks the five unused codes, which map to themselves.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// Finds `what` in `in` from index `from`, optionally ignoring case.
std::size_t find(const std::u16string& in, const std::u16string& what, std::size_t from,
                 bool textCompare) {
    if (!textCompare) {
        return in.find(what, from);
    }
    return foldForTextCompare(in).find(foldForTextCompare(what), from);
}

Outcome lengthArg(const Runtime& rt, const Variant& v, std::int32_t& out) {
    out = VBS_TRY_VALUE(longArg(rt, v));
    return out < 0 ? Outcome::InvalidCall : Outcome::Normal;
}

Outcome mapText(Runtime& rt, const Variant& a, Variant& out, char16_t (*f)(char16_t)) {
    return onTextOrNull(rt, a, out, [&](std::u16string_view s) {
        std::u16string mapped(s.size(), u'\0');
        std::transform(s.begin(), s.end(), mapped.begin(), f);
        out = Variant::string(std::move(mapped), rt.budget);
        return Outcome::Normal;
    });
}

Outcome trimText(Runtime& rt, const Variant& a, Variant& out, bool left, bool right) {
    return onTextOrNull(rt, a, out, [&](std::u16string_view s) {
        std::size_t b = 0;
        std::size_t e = s.size();
        while (left && b < e && s[b] == u' ') {
            ++b;
        }
        while (right && e > b && s[e - 1] == u' ') {
            --e;
        }
        out = Variant::string(s.substr(b, e - b), rt.budget);
        return Outcome::Normal;
    });
}

Outcome repeated(const Runtime& rt, std::int32_t count, char16_t c, Variant& out) {
    if (static_cast<std::size_t>(count) > limits::kMaxStringLength ||
        !rt.budget->allows(static_cast<std::size_t>(count) * sizeof(char16_t))) {
        return Outcome::OutOfMemory;
    }
    out = Variant::string(std::u16string(static_cast<std::size_t>(count), c), rt.budget);
    return Outcome::Normal;
}

} // namespace

Outcome Len(Runtime& rt, const Variant* a, int, Variant& out) {
    return onTextOrNull(rt, a[0], out, [&](std::u16string_view s) {
        out = Variant::longInt(static_cast<std::int32_t>(s.size()));
        return Outcome::Normal;
    });
}

Outcome Left(Runtime& rt, const Variant* a, int, Variant& out) {
    std::int32_t count = 0;
    VBS_TRY(lengthArg(rt, a[1], count));
    return onTextOrNull(rt, a[0], out, [&](std::u16string_view s) {
        out = Variant::string(s.substr(0, static_cast<std::size_t>(count)), rt.budget);
        return Outcome::Normal;
    });
}

Outcome Right(Runtime& rt, const Variant* a, int, Variant& out) {
    std::int32_t count = 0;
    VBS_TRY(lengthArg(rt, a[1], count));
    return onTextOrNull(rt, a[0], out, [&](std::u16string_view s) {
        const std::size_t n = std::min(s.size(), static_cast<std::size_t>(count));
        out = Variant::string(s.substr(s.size() - n), rt.budget);
        return Outcome::Normal;
    });
}

Outcome Mid(Runtime& rt, const Variant* a, int n, Variant& out) {
    // A Null start or length is reported before anything else is looked at, even a start
    // that is no number or out of range.
    if (a[1].isNull() || (n > 2 && a[2].isNull())) {
        return Outcome::InvalidNull;
    }
    std::int32_t start = VBS_TRY_VALUE(longArg(rt, a[1]));
    if (start < 1) {
        return Outcome::InvalidCall;
    }
    std::int32_t count = -1;
    if (given(rt, n, 2)) {
        VBS_TRY(lengthArg(rt, a[2], count));
    }
    return onTextOrNull(rt, a[0], out, [&](std::u16string_view s) {
        const auto from = static_cast<std::size_t>(start - 1);
        if (from >= s.size()) {
            out = Variant::string(u"", rt.budget);
            return Outcome::Normal;
        }
        out = Variant::string(
            s.substr(from, count < 0 ? std::u16string::npos : static_cast<std::size_t>(count)),
            rt.budget);
        return Outcome::Normal;
    });
}

Outcome InStr(Runtime& rt, const Variant* a, int n, Variant& out) {
    // InStr(s1, s2) or InStr(start, s1, s2[, compare]).
    std::int32_t start = 1;
    int first = 0;
    if (n >= 3) {
        first = 1;
        if (given(rt, n, 0)) {
            start = VBS_TRY_VALUE(longArg(rt, a[0]));
        }
        if (start < 1) {
            return Outcome::InvalidCall;
        }
    }
    bool text = VBS_TRY_VALUE(compareArg(rt, a, n, 3));
    if (a[first].isNull() || a[first + 1].isNull()) {
        out = Variant::null();
        return Outcome::Normal;
    }
    std::u16string s1 = VBS_TRY_VALUE(textArg(rt, a[first]));
    std::u16string s2 = VBS_TRY_VALUE(textArg(rt, a[first + 1]));
    const auto from = static_cast<std::size_t>(start - 1);
    std::int32_t result = 0;
    if (from < s1.size()) {
        const std::size_t p = find(s1, s2, from, text);
        result = p == std::u16string::npos ? 0 : static_cast<std::int32_t>(p + 1);
    }
    out = Variant::longInt(result);
    return Outcome::Normal;
}

Outcome InStrRev(Runtime& rt, const Variant* a, int n, Variant& out) {
    VBS_TRY(anyNull(a, n, 0));
    std::u16string s1 = VBS_TRY_VALUE(textArg(rt, a[0]));
    std::u16string s2 = VBS_TRY_VALUE(textArg(rt, a[1]));
    std::int32_t start = -1;
    if (given(rt, n, 2)) {
        start = VBS_TRY_VALUE(longArg(rt, a[2]));
        if (start == 0 || start < -1) {
            return Outcome::InvalidCall;
        }
    }
    bool text = VBS_TRY_VALUE(compareArg(rt, a, n, 3));
    if (start == -1) {
        start = static_cast<std::int32_t>(s1.size());
    }
    if (static_cast<std::size_t>(start) > s1.size()) {
        out = Variant::longInt(0);
        return Outcome::Normal;
    }
    if (s2.empty()) {
        out = Variant::longInt(start);
        return Outcome::Normal;
    }
    std::int32_t result = 0;
    if (s2.size() <= static_cast<std::size_t>(start)) {
        const std::u16string hay = text ? foldForTextCompare(s1) : s1;
        const std::u16string needle = text ? foldForTextCompare(s2) : s2;
        const std::size_t p = hay.rfind(needle, static_cast<std::size_t>(start) - s2.size());
        result = p == std::u16string::npos ? 0 : static_cast<std::int32_t>(p + 1);
    }
    out = Variant::longInt(result);
    return Outcome::Normal;
}

Outcome Replace(Runtime& rt, const Variant* a, int n, Variant& out) {
    VBS_TRY(anyNull(a, n, 0));
    std::u16string s;
    std::u16string what;
    std::u16string with;
    s = VBS_TRY_VALUE(textArg(rt, a[0]));
    what = VBS_TRY_VALUE(textArg(rt, a[1]));
    with = VBS_TRY_VALUE(textArg(rt, a[2]));
    std::int32_t start = 1;
    std::int32_t count = -1;
    if (given(rt, n, 3)) {
        start = VBS_TRY_VALUE(longArg(rt, a[3]));
    }
    if (given(rt, n, 4)) {
        count = VBS_TRY_VALUE(longArg(rt, a[4]));
    }
    bool text = VBS_TRY_VALUE(compareArg(rt, a, n, 5));
    if (start < 1 || count < -1) {
        return Outcome::InvalidCall;
    }
    // The result begins at `start`: what lies before it is dropped.
    const std::u16string source = static_cast<std::size_t>(start - 1) < s.size()
                                      ? s.substr(static_cast<std::size_t>(start - 1))
                                      : u"";
    if (what.empty() || count == 0) {
        out = Variant::string(source, rt.budget);
        return Outcome::Normal;
    }
    // A text compare searches folded copies, made once: folding keeps positions.
    const std::u16string hay = text ? foldForTextCompare(source) : std::u16string();
    const std::u16string needle = text ? foldForTextCompare(what) : what;
    const std::u16string& searched = text ? hay : source;
    std::u16string result;
    std::size_t pos = 0;
    std::int32_t done = 0;
    while (count < 0 || done < count) {
        const std::size_t p = searched.find(needle, pos);
        if (p == std::u16string::npos) {
            break;
        }
        if (rt.pastDeadline(static_cast<std::size_t>(done))) {
            return Outcome::Timeout;
        }
        result.append(source, pos, p - pos);
        result += with;
        if (result.size() > limits::kMaxStringLength ||
            !rt.budget->allows(result.size() * sizeof(char16_t))) {
            return Outcome::OutOfMemory;
        }
        pos = p + what.size();
        ++done;
    }
    result.append(source, pos, std::u16string::npos);
    out = Variant::string(std::move(result), rt.budget);
    return Outcome::Normal;
}

Outcome UCase(Runtime& rt, const Variant* a, int, Variant& out) {
    return mapText(rt, a[0], out, upperLatin1);
}
Outcome LCase(Runtime& rt, const Variant* a, int, Variant& out) {
    return mapText(rt, a[0], out, lowerLatin1);
}
Outcome Trim(Runtime& rt, const Variant* a, int, Variant& out) {
    return trimText(rt, a[0], out, true, true);
}
Outcome LTrim(Runtime& rt, const Variant* a, int, Variant& out) {
    return trimText(rt, a[0], out, true, false);
}
Outcome RTrim(Runtime& rt, const Variant* a, int, Variant& out) {
    return trimText(rt, a[0], out, false, true);
}

Outcome Space(Runtime& rt, const Variant* a, int, Variant& out) {
    std::int32_t count = 0;
    VBS_TRY(lengthArg(rt, a[0], count));
    return repeated(rt, count, u' ', out);
}

Outcome String(Runtime& rt, const Variant* a, int, Variant& out) {
    std::int32_t count = 0;
    VBS_TRY(lengthArg(rt, a[0], count));
    if (nullThrough(a[1], out)) {
        return Outcome::Normal;
    }
    char16_t c = 0;
    if (a[1].isString()) {
        if (a[1].asString().empty()) {
            return Outcome::InvalidCall;
        }
        c = a[1].asString()[0];
    } else {
        std::int32_t code = VBS_TRY_VALUE(longArg(rt, a[1]));
        c = static_cast<char16_t>(code & 0xFF);
    }
    return repeated(rt, count, c, out);
}

Outcome StrReverse(Runtime& rt, const Variant* a, int, Variant& out) {
    std::u16string s = VBS_TRY_VALUE(textArg(rt, a[0]));
    out = Variant::string(std::u16string(s.rbegin(), s.rend()), rt.budget);
    return Outcome::Normal;
}

Outcome StrComp(Runtime& rt, const Variant* a, int n, Variant& out) {
    bool text = VBS_TRY_VALUE(compareArg(rt, a, n, 2));
    if (a[0].isNull() || a[1].isNull()) {
        out = Variant::null();
        return Outcome::Normal;
    }
    std::u16string x = VBS_TRY_VALUE(textArg(rt, a[0]));
    std::u16string y = VBS_TRY_VALUE(textArg(rt, a[1]));
    const int c = text ? foldForTextCompare(x).compare(foldForTextCompare(y)) : x.compare(y);
    out = Variant::integer(static_cast<std::int16_t>(c < 0 ? -1 : c > 0 ? 1 : 0));
    return Outcome::Normal;
}

Outcome Chr(Runtime& rt, const Variant* a, int, Variant& out) {
    std::int32_t code = VBS_TRY_VALUE(longArg(rt, a[0]));
    if (code < 0 || code > 255) {
        return Outcome::InvalidCall;
    }
    char16_t c = static_cast<char16_t>(code);
    if (code >= 128 && code < 160 && kCp1252High[code - 128] != 0) {
        c = kCp1252High[code - 128];
    }
    out = Variant::string(std::u16string(1, c), rt.budget);
    return Outcome::Normal;
}

Outcome ChrW(Runtime& rt, const Variant* a, int, Variant& out) {
    std::int32_t code = VBS_TRY_VALUE(longArg(rt, a[0]));
    if (code < -32768 || code > 65535) {
        return Outcome::InvalidCall;
    }
    out = Variant::string(std::u16string(1, static_cast<char16_t>(code & 0xFFFF)), rt.budget);
    return Outcome::Normal;
}

Outcome Asc(Runtime& rt, const Variant* a, int, Variant& out) {
    std::u16string s = VBS_TRY_VALUE(textArg(rt, a[0]));
    if (s.empty()) {
        return Outcome::InvalidCall;
    }
    const char16_t c = s[0];
    std::int16_t code = c < 256 ? static_cast<std::int16_t>(c) : 63; // "?" when not in the page
    for (int i = 0; i < 32; ++i) {
        if (c >= 256 && kCp1252High[i] == c) {
            code = static_cast<std::int16_t>(128 + i);
        }
    }
    out = Variant::integer(code);
    return Outcome::Normal;
}

Outcome AscW(Runtime& rt, const Variant* a, int, Variant& out) {
    std::u16string s = VBS_TRY_VALUE(textArg(rt, a[0]));
    if (s.empty()) {
        return Outcome::InvalidCall;
    }
    out = Variant::integer(static_cast<std::int16_t>(s[0]));
    return Outcome::Normal;
}

} // namespace vbs::fn
