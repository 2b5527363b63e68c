#include "name_candidates.h"

#include "script_words.h"

namespace quorvix::app {

std::optional<NameCandidates> nameCandidates(const QString& text, qsizetype cursor,
                                             ScriptLanguage language, const QStringList& userNames,
                                             const std::function<QString(const QString&)>& spelled,
                                             bool allowEmpty) {
    const std::optional<NamePrefix> found = namePrefixAt(text, cursor, language, allowEmpty);
    if (!found) {
        return std::nullopt;
    }
    QStringList names;
    const auto offer = [&](const QString& name) {
        if (name.startsWith(found->prefix, Qt::CaseInsensitive)) {
            names.append(name);
        }
    };
    if (!found->qualifier.isEmpty()) {
        for (const ScriptWord& word : qualifiedWords(language, found->qualifier)) {
            offer(word.name);
        }
    } else {
        for (const ScriptWord& word : scriptWords(language)) {
            offer(word.name);
        }
        for (const QString& name : userNames) {
            if (!findWord(language, {}, name)) {
                offer(spelled(name));
            }
        }
    }
    names.sort(Qt::CaseInsensitive);
    names.removeDuplicates();
    return NameCandidates{*found, names};
}

} // namespace quorvix::app
