#include "input_history.h"

namespace quorvix::app {

namespace {

bool recordable(const QString& input) {
    return input.size() <= InputHistory::kMaxEntryLength && !input.trimmed().isEmpty();
}

} // namespace

bool InputHistory::add(const QString& input) {
    endWalk();
    if (!recordable(input) || (!m_entries.isEmpty() && m_entries.constLast() == input)) {
        return false;
    }
    m_entries.append(input);
    m_totalLength += input.size();
    dropOldest();
    endWalk();
    return true;
}

void InputHistory::addOlder(const QStringList& older) {
    QStringList merged;
    for (const QString& input : older) {
        if (recordable(input) && (merged.isEmpty() || merged.constLast() != input)) {
            merged.append(input);
        }
    }
    for (const QString& input : std::as_const(m_entries)) {
        if (merged.isEmpty() || merged.constLast() != input) {
            merged.append(input);
        }
    }
    m_entries = std::move(merged);
    m_totalLength = 0;
    for (const QString& input : std::as_const(m_entries)) {
        m_totalLength += input.size();
    }
    dropOldest();
    endWalk();
}

void InputHistory::clear() {
    m_entries.clear();
    m_totalLength = 0;
    endWalk();
}

void InputHistory::dropOldest() {
    while (m_entries.size() > kMaxEntries || m_totalLength > kMaxTotalLength) {
        m_totalLength -= m_entries.constFirst().size();
        m_entries.removeFirst();
    }
}

void InputHistory::endWalk() {
    m_place = m_entries.size();
    m_edits.clear();
}

QString InputHistory::textAt(qsizetype place) const {
    const auto edit = m_edits.find(place);
    if (edit != m_edits.end()) {
        return edit->second;
    }
    return place < m_entries.size() ? m_entries.at(place) : QString();
}

std::optional<QString> InputHistory::up(const QString& current) {
    return step(current, -1);
}

std::optional<QString> InputHistory::down(const QString& current) {
    return step(current, +1);
}

std::optional<QString> InputHistory::step(const QString& current, qsizetype direction) {
    qsizetype target = m_place + direction;
    while (target >= 0 && target <= m_entries.size() && textAt(target) == current) {
        target += direction;
    }
    if (target < 0 || target > m_entries.size()) {
        return std::nullopt;
    }
    // The draft is always kept; an entry only when the line holds something else.
    if (m_place == m_entries.size() || current != m_entries.at(m_place)) {
        m_edits[m_place] = current;
    } else {
        m_edits.erase(m_place);
    }
    m_place = target;
    return textAt(target);
}

} // namespace quorvix::app
