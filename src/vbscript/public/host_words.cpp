// What the interpreter tells its host besides running scripts: the words to offer for
// completion and the texts of the errors a host raises itself.
#include "interpreter.h"

#include "library/builtins.h"
#include "syntax/token.h"
#include "values/error_codes.h"

namespace vbs {

std::vector<ScriptWord> scriptWords() {
    std::vector<ScriptWord> words;
#define VBS_KEYWORD_WORD(name, text) words.push_back({u"" #name, {}, true});
    VBS_KEYWORD_LIST(VBS_KEYWORD_WORD)
#undef VBS_KEYWORD_WORD
    for (int i = 0; i < builtinCount(); ++i) {
        const std::u16string_view signature = builtinAt(i).signature;
        words.push_back({std::u16string(signature.substr(0, signature.find(u'('))),
                         std::u16string(signature), false});
    }
    return words;
}

#define VBS_SAME_NUMBER(name)                                                                      \
    static_assert(static_cast<int>(HostError::name) == static_cast<int>(Outcome::name));
VBS_SAME_NUMBER(TypeMismatch)
VBS_SAME_NUMBER(ObjectNotSet)
VBS_SAME_NUMBER(InvalidNull)
VBS_SAME_NUMBER(NoSuchMember)
#undef VBS_SAME_NUMBER

std::u16string errorDescription(HostError error) {
    return errorText(static_cast<int>(error));
}

} // namespace vbs
