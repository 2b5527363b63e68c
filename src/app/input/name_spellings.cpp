#include "name_spellings.h"

#include "syntax_spans.h"

namespace quorvix::app {

NameSpellings::NameSpellings() {
    learn(u"Ans Pi", ScriptLanguage::VBScript);
}

void NameSpellings::learn(QStringView text, ScriptLanguage language) {
    const QString whole = text.toString();
    for (const auto& [start, length] : scanSyntax(whole, language, {}).names) {
        const QString name = whole.mid(start, length);
        if (const QString key = name.toLower(); !m_spellings.contains(key)) {
            m_spellings.insert(key, name);
        }
    }
}

QString NameSpellings::spelled(const QString& name) const {
    return m_spellings.value(name.toLower(), name);
}

} // namespace quorvix::app
