#pragma once

#include "input_rewrites.h"

#include <QString>
#include <optional>

namespace quorvix::app {

// A name being typed: text[start, cursor) is `prefix`; `qualifier` is the name before a dot in
// front of it ("Math" in "Math.sq"), empty when there is none.
struct NamePrefix {
    qsizetype start = 0;
    QString prefix;
    QString qualifier;
};

// The name that ends at the cursor, for completion, or nothing where a name cannot be: inside a
// number ("2e3", "1E5", "&H1F", "0x1f", "1.5e"), after a dot that follows anything but a name,
// and at the start of an expression a word beginning with e or E, which the calculator reads as
// "Ans times ten to the power of". `allowEmpty` gives an empty prefix where a name could begin.
std::optional<NamePrefix> namePrefixAt(const QString& text, qsizetype cursor,
                                       ScriptLanguage language, bool allowEmpty = false);

// The function whose argument list holds the cursor: "Mid" for "Mid(a, |"; qualifier as above.
struct EnclosingCall {
    QString name;
    QString qualifier;
};
std::optional<EnclosingCall> enclosingCall(const QString& text, qsizetype cursor);

bool isNameChar(QChar c);

} // namespace quorvix::app
