#include "regexp_object.h"

#include "limits/script_limits.h"
#include "regex_search.h"
#include "run/runtime.h"
#include "values/convert.h"

#include <vector>

// The RegExp object and what its Execute gives: a Matches collection of Match objects, each
// with its SubMatches.
namespace vbs {
namespace {

// The matches of one Execute: the subject and, per match, the start and end of the whole match
// and of each group (PCRE2_UNSET for a group that took no part).
struct MatchList {
    std::u16string subject;
    std::uint32_t groups = 0;
    std::vector<std::size_t> spans; // (groups + 1) * 2 per match

    std::size_t stride() const { return (std::size_t{groups} + 1) * 2; }
    std::size_t count() const { return spans.size() / stride(); }
    std::size_t start(std::size_t match, std::uint32_t g) const {
        return spans[match * stride() + 2 * g];
    }
    std::size_t end(std::size_t match, std::uint32_t g) const {
        return spans[match * stride() + 2 * g + 1];
    }
    // Group `g` of a match as a script value: Empty for a group that took no part.
    Variant text(std::size_t match, std::uint32_t g, const Budget& budget) const {
        const std::size_t s = start(match, g);
        if (s == PCRE2_UNSET) {
            return Variant();
        }
        return Variant::string(subject.substr(s, end(match, g) - s), budget);
    }
};

using SharedMatches = std::shared_ptr<const MatchList>;

// Index argument of Item: a whole number within 0 .. count - 1, else "Invalid procedure call".
Outcome indexArg(Runtime& rt, const Variant* args, std::size_t argc, std::size_t count,
                 std::size_t& out) {
    if (argc != 1) {
        return Outcome::WrongArgCount;
    }
    std::int32_t i = VBS_TRY_VALUE(toLong(args[0], rt.locale));
    if (i < 0 || static_cast<std::size_t>(i) >= count) {
        return Outcome::InvalidCall;
    }
    out = static_cast<std::size_t>(i);
    return Outcome::Normal;
}

// Wraps a new native object as a value, counted; Out of memory when the budget refuses it.
template <typename T, typename... A>
Outcome objectValue(const Budget& budget, Variant& out, A&&... a) {
    auto o = std::make_shared<T>(budget, std::forward<A>(a)...);
    if (!o->charge(sizeof(T))) {
        return Outcome::OutOfMemory;
    }
    out = Variant::object(std::move(o));
    return Outcome::Normal;
}

// What the match results share as collections: Item (the default, by a 0-based index) and
// Count, read only, and For Each over the items.
class ReadOnlyCollection : public NativeObject {
public:
    ReadOnlyCollection(Budget budget, SharedMatches list)
        : NativeObject(std::move(budget)), list_(std::move(list)) {}
    int memberIndex(std::u16string_view lower) const override { return memberOf(kMembers, lower); }
    int defaultMember() const override { return 0; }
    bool defaultNeedsIndex() const override { return true; }
    Outcome invoke(Runtime& rt, int member, MemberAccess access, Variant* args, std::size_t argc,
                   Variant& value) override {
        if (access == MemberAccess::Let || access == MemberAccess::Set) {
            return Outcome::WrongArgCount;
        }
        if (member == 1) {
            value = Variant::longInt(static_cast<std::int32_t>(count()));
            return argc == 0 ? Outcome::Normal : Outcome::WrongArgCount;
        }
        std::size_t i = 0;
        VBS_TRY(indexArg(rt, args, argc, count(), i));
        return item(rt, i, value);
    }
    Outcome enumerate(Runtime& rt, std::vector<Variant>& out) override {
        for (std::size_t i = 0; i < count(); ++i) {
            out.emplace_back();
            VBS_TRY(item(rt, i, out.back()));
        }
        return Outcome::Normal;
    }

protected:
    virtual std::size_t count() const = 0;
    virtual Outcome item(Runtime& rt, std::size_t i, Variant& out) = 0;
    SharedMatches list_;

private:
    static constexpr std::u16string_view kMembers[] = {u"item", u"count"};
};

// The groups of one match; a group that took part in no match is Empty.
class SubMatches final : public ReadOnlyCollection {
public:
    SubMatches(Budget budget, SharedMatches list, std::size_t match)
        : ReadOnlyCollection(std::move(budget), std::move(list)), match_(match) {}
    std::u16string_view typeName() const override { return u"ISubMatches"; }

private:
    std::size_t count() const override { return list_->groups; }
    Outcome item(Runtime& rt, std::size_t i, Variant& out) override {
        out = list_->text(match_, static_cast<std::uint32_t>(i + 1), rt.budget);
        return Outcome::Normal;
    }
    std::size_t match_;
};

class Match final : public NativeObject {
public:
    Match(Budget budget, SharedMatches list, std::size_t match)
        : NativeObject(std::move(budget)), list_(std::move(list)), match_(match) {}
    std::u16string_view typeName() const override { return u"IMatch2"; }
    int memberIndex(std::u16string_view lower) const override { return memberOf(kMembers, lower); }
    int defaultMember() const override { return 0; }
    Outcome invoke(Runtime& rt, int member, MemberAccess access, Variant* args, std::size_t argc,
                   Variant& value) override {
        if (access == MemberAccess::Let || access == MemberAccess::Set) {
            return Outcome::WrongArgCount;
        }
        // m.SubMatches(i) indexes the collection through its default member.
        if (member == 3 && argc != 0) {
            SubMatches subMatches(nullptr, list_, match_);
            return subMatches.invoke(rt, 0, access, args, argc, value);
        }
        if (argc != 0) {
            return Outcome::WrongArgCount;
        }
        const std::size_t start = list_->start(match_, 0);
        switch (member) {
        case 0:
            value = list_->text(match_, 0, rt.budget);
            return Outcome::Normal;
        case 1:
            value = Variant::longInt(static_cast<std::int32_t>(start));
            return Outcome::Normal;
        case 2:
            value = Variant::longInt(static_cast<std::int32_t>(list_->end(match_, 0) - start));
            return Outcome::Normal;
        default:
            return objectValue<SubMatches>(budget(), value, list_, match_);
        }
    }

private:
    static constexpr std::u16string_view kMembers[] = {u"value", u"firstindex", u"length",
                                                       u"submatches"};
    SharedMatches list_;
    std::size_t match_;
};

// What Execute finds: one Match object per match, made when it is asked for.
class Matches final : public ReadOnlyCollection {
public:
    using ReadOnlyCollection::ReadOnlyCollection;
    std::u16string_view typeName() const override { return u"IMatchCollection2"; }

private:
    std::size_t count() const override { return list_->count(); }
    Outcome item(Runtime&, std::size_t i, Variant& out) override {
        return objectValue<Match>(budget(), out, list_, i);
    }
};

enum RegExpMember { Pattern, Global, IgnoreCase, Multiline, Test, Execute, Replace };
constexpr std::u16string_view kRegExpMembers[] = {
    u"pattern", u"global", u"ignorecase", u"multiline", u"test", u"execute", u"replace"};

class RegExp final : public NativeObject {
public:
    using NativeObject::NativeObject;
    std::u16string_view typeName() const override { return u"IRegExp2"; }
    int memberIndex(std::u16string_view lower) const override {
        return memberOf(kRegExpMembers, lower);
    }
    int defaultMember() const override { return -1; }
    Outcome invoke(Runtime& rt, int member, MemberAccess access, Variant* args, std::size_t argc,
                   Variant& value) override;

private:
    Outcome property(Runtime& rt, int member, bool assigning, Variant& value);
    // The compiled pattern; "Syntax error in regular expression" when it is not valid, raised
    // where the pattern is used, as VBScript does.
    Outcome compiled(std::shared_ptr<const CompiledRegex>& out);
    Outcome execute(Runtime& rt, std::u16string subject, Variant& out);
    // Each match replaced by what `write` appends for it.
    template <typename Write>
    Outcome replace(Runtime& rt, const std::u16string& subject, Write&& write, Variant& out);

    std::u16string pattern_;
    bool global_ = false;
    RegexFlags flags_;
    std::shared_ptr<const CompiledRegex> compiled_;
};

Outcome RegExp::compiled(std::shared_ptr<const CompiledRegex>& out) {
    if (!compiled_) {
        compiled_ = CompiledRegex::compile(pattern_, flags_);
        if (!compiled_) {
            return Outcome::RegexSyntax;
        }
    }
    out = compiled_;
    return Outcome::Normal;
}

Outcome RegExp::property(Runtime& rt, int member, bool assigning, Variant& value) {
    bool* flag = member == Global       ? &global_
                 : member == IgnoreCase ? &flags_.ignoreCase
                                        : &flags_.multiline;
    if (!assigning) {
        value = member == Pattern ? Variant::string(pattern_, rt.budget) : Variant::boolean(*flag);
        return Outcome::Normal;
    }
    if (member == Pattern) {
        std::u16string text = VBS_TRY_VALUE(toText(value, rt.locale));
        pattern_ = std::move(text);
    } else {
        *flag = VBS_TRY_VALUE(toBool(value, rt.locale));
    }
    compiled_.reset();
    return Outcome::Normal;
}

void expand(const RegexSearcher& s, std::u16string_view subject, std::u16string_view with,
            std::u16string& out);
Outcome appendCallResult(Runtime& rt, const RegexSearcher& found, const std::u16string& subject,
                         const Variant& callee, std::u16string& result);

Outcome RegExp::invoke(Runtime& rt, int member, MemberAccess access, Variant* args,
                       std::size_t argc, Variant& value) {
    const bool assigning = access == MemberAccess::Let || access == MemberAccess::Set;
    if (member <= Multiline) {
        return argc != 0 ? Outcome::WrongArgCount : property(rt, member, assigning, value);
    }
    if (assigning || argc != (member == Replace ? 2u : 1u)) {
        return Outcome::WrongArgCount;
    }
    std::u16string subject;
    subject = VBS_TRY_VALUE(toText(args[0], rt.locale));
    if (member == Replace && args[1].isObject() && rt.scriptCaller) {
        // Given something to call (GetRef("f"), an object with a default method), Replace
        // calls it for each match and puts in what it returns (VBScript 5.5 and later).
        const Variant callee = args[1];
        return replace(
            rt, subject,
            [&](const RegexSearcher& found, std::u16string& result) {
                return appendCallResult(rt, found, subject, callee, result);
            },
            value);
    }
    if (member == Replace) {
        const std::u16string with = VBS_TRY_VALUE(toText(args[1], rt.locale));
        return replace(
            rt, subject,
            [&](const RegexSearcher& found, std::u16string& result) {
                expand(found, subject, with, result);
                return Outcome::Normal;
            },
            value);
    }
    if (member == Execute) {
        return execute(rt, std::move(subject), value);
    }
    std::shared_ptr<const CompiledRegex> regex;
    VBS_TRY(compiled(regex));
    RegexSearcher searcher(regex, subject, rt.deadline);
    bool found = false;
    const Outcome e = searcher.search(0, found);
    value = Variant::boolean(found);
    return e;
}

// Where the search after a match goes on: at its end, or one further after an empty match so
// that a pattern such as "x*" moves along the text.
std::size_t nextStart(const RegexSearcher& s) {
    return s.end(0) > s.start(0) ? s.end(0) : s.end(0) + 1;
}

// Calls `onMatch` with the searcher on each match in `subject` (only the first unless
// `global`), and stops at the time limit or at the first failure `onMatch` reports.
template <typename OnMatch>
Outcome forEachMatch(Runtime& rt, const std::shared_ptr<const CompiledRegex>& regex,
                     std::u16string_view subject, bool global, OnMatch&& onMatch) {
    RegexSearcher searcher(regex, subject, rt.deadline);
    std::size_t from = 0;
    for (std::size_t n = 0;; ++n) {
        bool found = false;
        VBS_TRY(searcher.search(from, found));
        if (!found) {
            return Outcome::Normal;
        }
        if (rt.pastDeadline(n)) {
            return Outcome::Timeout;
        }
        VBS_TRY(onMatch(searcher));
        if (!global) {
            return Outcome::Normal;
        }
        from = nextStart(searcher);
    }
}

Outcome RegExp::execute(Runtime& rt, std::u16string subject, Variant& out) {
    std::shared_ptr<const CompiledRegex> regex;
    VBS_TRY(compiled(regex));
    auto list = std::make_shared<MatchList>();
    list->groups = regex->groups();
    list->subject = std::move(subject);
    auto matches = std::make_shared<Matches>(rt.budget, list);
    if (!matches->charge(sizeof(Matches) + sizeof(MatchList) +
                         list->subject.size() * sizeof(char16_t))) {
        return Outcome::OutOfMemory;
    }
    const std::size_t spanBytes = list->stride() * sizeof(std::size_t);
    VBS_TRY(forEachMatch(rt, regex, list->subject, global_, [&](const RegexSearcher& found) {
        if (!matches->charge(spanBytes)) {
            return Outcome::OutOfMemory;
        }
        for (std::uint32_t g = 0; g <= list->groups; ++g) {
            list->spans.push_back(found.start(g));
            list->spans.push_back(found.end(g));
        }
        return Outcome::Normal;
    }));
    out = Variant::object(std::move(matches));
    return Outcome::Normal;
}

// Appends the replacement text for the current match: "$1".."$99" a group (two digits when
// there are that many groups, else one), "$&" the match, "$`" the text before it, "$'" the text
// after it, "$$" one "$"; any other "$" stands for itself.
void expand(const RegexSearcher& s, std::u16string_view subject, std::u16string_view with,
            std::u16string& out) {
    const auto group = [&](std::uint32_t g) {
        if (s.start(g) != PCRE2_UNSET) {
            out.append(subject.substr(s.start(g), s.end(g) - s.start(g)));
        }
    };
    const auto digit = [&](std::size_t i) {
        return i < with.size() && with[i] >= u'0' && with[i] <= u'9' ? with[i] - u'0' : -1;
    };
    for (std::size_t i = 0; i < with.size(); ++i) {
        const char16_t c = with[i];
        if (c != u'$' || i + 1 == with.size()) {
            out.push_back(c);
            continue;
        }
        const char16_t next = with[i + 1];
        if (next == u'$') {
            out.push_back(u'$');
        } else if (next == u'&') {
            group(0);
        } else if (next == u'`') {
            out.append(subject.substr(0, s.start(0)));
        } else if (next == u'\'') {
            out.append(subject.substr(s.end(0)));
        } else if (const int d1 = digit(i + 1); d1 >= 0) {
            const int d2 = digit(i + 2);
            const auto groups = static_cast<int>(s.groups());
            if (d2 >= 0 && d1 * 10 + d2 >= 1 && d1 * 10 + d2 <= groups) {
                group(static_cast<std::uint32_t>(d1 * 10 + d2));
                ++i;
            } else if (d1 >= 1 && d1 <= groups) {
                group(static_cast<std::uint32_t>(d1));
            } else {
                out.push_back(c);
                continue;
            }
        } else {
            out.push_back(c);
            continue;
        }
        ++i;
    }
}

// The replacement a script procedure gives for one match: it is called with the match, each
// submatch (Empty for a group that took no part, as SubMatches shows it), the match's position
// counted from 0 (as FirstIndex) and the whole text, and its result is put in as text.
Outcome appendCallResult(Runtime& rt, const RegexSearcher& found, const std::u16string& subject,
                         const Variant& callee, std::u16string& result) {
    const auto part = [&](std::uint32_t g) {
        return found.start(g) == PCRE2_UNSET
                   ? Variant()
                   : Variant::string(subject.substr(found.start(g), found.end(g) - found.start(g)),
                                     rt.budget);
    };
    std::vector<Variant> args;
    args.reserve(found.groups() + 3);
    for (std::uint32_t g = 0; g <= found.groups(); ++g) {
        args.push_back(part(g));
    }
    args.push_back(Variant::longInt(static_cast<std::int32_t>(found.start(0))));
    args.push_back(Variant::string(subject, rt.budget));
    Variant replacement;
    VBS_TRY(rt.scriptCaller->callWithValues(callee, args.data(), args.size(), replacement));
    result += VBS_TRY_VALUE(toText(replacement, rt.locale));
    return Outcome::Normal;
}

template <typename Write>
Outcome RegExp::replace(Runtime& rt, const std::u16string& subject, Write&& write, Variant& out) {
    std::shared_ptr<const CompiledRegex> regex;
    VBS_TRY(compiled(regex));
    std::u16string result;
    std::size_t copied = 0;
    VBS_TRY(forEachMatch(rt, regex, subject, global_, [&](const RegexSearcher& found) {
        result.append(subject, copied, found.start(0) - copied);
        const std::size_t end = found.end(0);
        if (const Outcome written = write(found, result); written != Outcome::Normal) {
            return written;
        }
        copied = end;
        return result.size() > limits::kMaxStringLength ? Outcome::OutOfMemory : Outcome::Normal;
    }));
    result.append(subject, copied);
    if (result.size() > limits::kMaxStringLength ||
        (rt.budget && !rt.budget->allows(result.size() * sizeof(char16_t)))) {
        return Outcome::OutOfMemory;
    }
    out = Variant::string(std::move(result), rt.budget);
    return Outcome::Normal;
}

} // namespace

std::shared_ptr<NativeObject> makeRegExp(const Budget& budget) {
    auto r = std::make_shared<RegExp>(budget);
    return r->charge(sizeof(RegExp)) ? r : nullptr;
}

} // namespace vbs
