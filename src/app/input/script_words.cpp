#include "script_words.h"

#include "interpreter.h"

#include <QHash>

namespace quorvix::app {
namespace {

QString nameOfSignature(const QString& signature) {
    const qsizetype paren = signature.indexOf(u'(');
    return paren < 0 ? signature : signature.left(paren);
}

std::vector<ScriptWord> vbscriptWords() {
    std::vector<ScriptWord> words;
    for (const vbs::ScriptWord& word : vbs::scriptWords()) {
        words.push_back({QString::fromStdU16String(word.name),
                         QString::fromStdU16String(word.signature),
                         word.isKeyword ? WordKind::Keyword : WordKind::Builtin});
    }
    return words;
}

// JavaScript's reserved words and the global constants a calculation meets.
std::vector<ScriptWord> javascriptWords() {
    std::vector<ScriptWord> words;
    for (const char* keyword :
         {"await",      "break",   "case",   "catch",    "class", "const",  "continue",
          "debugger",   "default", "delete", "do",       "else",  "export", "extends",
          "false",      "finally", "for",    "function", "if",    "import", "in",
          "instanceof", "let",     "new",    "null",     "of",    "return", "super",
          "switch",     "this",    "throw",  "true",     "try",   "typeof", "undefined",
          "var",        "void",    "while",  "with",     "yield"}) {
        words.push_back({QString::fromLatin1(keyword), {}, WordKind::Keyword});
    }
    for (const char* constant : {"Infinity", "NaN", "Math"}) {
        words.push_back({QString::fromLatin1(constant), {}, WordKind::Builtin});
    }
    return words;
}

std::vector<ScriptWord> mathWords() {
    std::vector<ScriptWord> words;
    for (const char* signature : {"abs(x)",
                                  "acos(x)",
                                  "acosh(x)",
                                  "asin(x)",
                                  "asinh(x)",
                                  "atan(x)",
                                  "atan2(y, x)",
                                  "atanh(x)",
                                  "cbrt(x)",
                                  "ceil(x)",
                                  "clz32(x)",
                                  "cos(x)",
                                  "cosh(x)",
                                  "exp(x)",
                                  "expm1(x)",
                                  "floor(x)",
                                  "fround(x)",
                                  "hypot(...values)",
                                  "imul(a, b)",
                                  "log(x)",
                                  "log10(x)",
                                  "log1p(x)",
                                  "log2(x)",
                                  "max(...values)",
                                  "min(...values)",
                                  "pow(base, exponent)",
                                  "random()",
                                  "round(x)",
                                  "sign(x)",
                                  "sin(x)",
                                  "sinh(x)",
                                  "sqrt(x)",
                                  "tan(x)",
                                  "tanh(x)",
                                  "trunc(x)",
                                  "E",
                                  "LN10",
                                  "LN2",
                                  "LOG10E",
                                  "LOG2E",
                                  "PI",
                                  "SQRT1_2",
                                  "SQRT2"}) {
        const QString text = QString::fromLatin1(signature);
        words.push_back({nameOfSignature(text), QStringLiteral("Math.") + text, WordKind::Builtin});
    }
    return words;
}

// Lookup by the name as compared: lower case for VBScript.
struct WordIndex {
    explicit WordIndex(const std::vector<ScriptWord>& list, bool ignoreCase) : words(list) {
        for (const ScriptWord& word : words) {
            index.insert(ignoreCase ? word.name.toLower() : word.name, &word);
        }
    }
    const std::vector<ScriptWord>& words;
    QHash<QString, const ScriptWord*> index;
};

const WordIndex& indexOf(ScriptLanguage language, bool qualified) {
    static const std::vector<ScriptWord> vbs = vbscriptWords();
    static const std::vector<ScriptWord> js = javascriptWords();
    static const std::vector<ScriptWord> math = mathWords();
    static const std::vector<ScriptWord> none;
    static const WordIndex vbsIndex(vbs, true);
    static const WordIndex jsIndex(js, false);
    static const WordIndex mathIndex(math, false);
    static const WordIndex noneIndex(none, false);
    if (language == ScriptLanguage::VBScript) {
        return qualified ? noneIndex : vbsIndex;
    }
    return qualified ? mathIndex : jsIndex;
}

} // namespace

const std::vector<ScriptWord>& scriptWords(ScriptLanguage language) {
    return indexOf(language, false).words;
}

const std::vector<ScriptWord>& qualifiedWords(ScriptLanguage language, QStringView qualifier) {
    static const std::vector<ScriptWord> none;
    return qualifier == u"Math" ? indexOf(language, true).words : none;
}

const ScriptWord* findWord(ScriptLanguage language, QStringView qualifier, QStringView name) {
    if (!qualifier.isEmpty() && (language == ScriptLanguage::VBScript || qualifier != u"Math")) {
        return nullptr;
    }
    const WordIndex& index = indexOf(language, !qualifier.isEmpty());
    const QString key =
        language == ScriptLanguage::VBScript ? name.toString().toLower() : name.toString();
    return index.index.value(key, nullptr);
}

} // namespace quorvix::app
