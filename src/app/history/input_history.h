#pragma once

#include <QString>
#include <QStringList>

#include <map>
#include <optional>

namespace quorvix::app {

// The inputs the user has evaluated, oldest first, and a walk through them with Up and Down.
//
// The walk starts below the newest entry, at the draft: the text in the input line when the walk
// began. Whatever the line holds when the walk leaves a place is kept for that place, so neither
// the draft nor an edit of a recalled entry is lost by going up and back down; evaluating ends
// the walk and forgets those edits. A step never brings back the text the line already holds, so
// the first Up after an evaluation recalls the input before it.
class InputHistory {
public:
    static constexpr qsizetype kMaxEntries = 1000;
    // An input longer than this is not kept: it is pasted data, not typing, and 1,000 of them
    // would fill the memory.
    static constexpr qsizetype kMaxEntryLength = 65'536;
    // All entries together keep at most this many characters; the oldest make room first.
    static constexpr qsizetype kMaxTotalLength = 1'048'576;

    // Records an evaluated input as the newest entry and ends the walk. A blank input, a repeat
    // of the newest entry and an input over kMaxEntryLength are not recorded; false then.
    bool add(const QString& input);
    // Puts `older` (oldest first) before the entries, as read from where they were kept, with
    // the same rules as add(); the limits drop the oldest. Ends the walk.
    void addOlder(const QStringList& older);
    void clear();

    const QStringList& entries() const { return m_entries; }

    // One step towards the oldest entry, or the newest, with the line holding `current`: the
    // text to put in the line, or nothing when there is no further place to go.
    std::optional<QString> up(const QString& current);
    std::optional<QString> down(const QString& current);

private:
    std::optional<QString> step(const QString& current, qsizetype direction);
    QString textAt(qsizetype place) const;
    void dropOldest();
    void endWalk();

    QStringList m_entries;
    qsizetype m_totalLength = 0;
    qsizetype m_place = 0;                // 0 .. size(); size() is the draft
    std::map<qsizetype, QString> m_edits; // what the line held when the walk left a place
};

} // namespace quorvix::app
