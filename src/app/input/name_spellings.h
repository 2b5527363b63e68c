#pragma once

#include "input_rewrites.h"

#include <QHash>
#include <QString>
#include <QStringView>

namespace quorvix::app {

// How the user first wrote each name. VBScript ignores case and its engine gives the names of
// its global scope in lower case; completion offers and inserts them as the user wrote them
// ("Area", not "area"), learnt from the library and the inputs in the order they ran.
class NameSpellings {
public:
    // Starts with the names the program itself defines, as the read-me writes them.
    NameSpellings();

    // Notes each name in `text` (outside strings and comments) not seen before.
    void learn(QStringView text, ScriptLanguage language);
    // `name` as first written; as given when it was never seen.
    QString spelled(const QString& name) const;

private:
    QHash<QString, QString> m_spellings; // by lower case
};

} // namespace quorvix::app
