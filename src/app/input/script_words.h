#pragma once

#include "input_rewrites.h"

#include <QString>
#include <QStringView>
#include <vector>

namespace quorvix::app {

// What a name is to the language, for colouring and completion.
enum class WordKind { Keyword, Builtin };

struct ScriptWord {
    QString name;      // the usual spelling: "Mid", "ElseIf", "sqrt"
    QString signature; // "Mid(string, start[, length])"; empty for keywords
    WordKind kind = WordKind::Keyword;
};

// The language's own names. VBScript's come from the interpreter's keyword and built-in tables;
// JavaScript's are its keywords, its global constants and the members of Math (whose names are
// looked up with the qualifier "Math").
const std::vector<ScriptWord>& scriptWords(ScriptLanguage language);
// The members of JavaScript's Math; empty for VBScript, which has no qualified built-ins.
const std::vector<ScriptWord>& qualifiedWords(ScriptLanguage language, QStringView qualifier);

// The word named `name` (after `qualifier` and a dot, if not empty), or nullptr. VBScript
// ignores case; JavaScript does not.
const ScriptWord* findWord(ScriptLanguage language, QStringView qualifier, QStringView name);

} // namespace quorvix::app
