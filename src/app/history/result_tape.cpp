#include "result_tape.h"

#include "line_escape.h"
#include "record_file.h"

namespace quorvix::app {

namespace {

constexpr QByteArrayView kHeader = "#Quorvix result tape";

qsizetype lengthOf(const TapeEntry& entry) {
    return entry.input.size() + entry.output.size();
}

// Cuts an over-long text, saying how long it was.
bool fitField(QString& text) {
    if (text.size() <= ResultTape::kMaxFieldLength) {
        return false;
    }
    const qsizetype length = text.size();
    text.truncate(ResultTape::kMaxFieldLength);
    text += QStringLiteral("... (cut: %1 characters)").arg(length);
    return true;
}

} // namespace

void ResultTape::add(TapeEntry entry) {
    if (entry.input.trimmed().isEmpty() && entry.output.isEmpty()) {
        return; // an empty line evaluated: nothing happened
    }
    fitField(entry.input);
    if (!entry.answered) {
        fitField(entry.output);
    } else if (entry.output.size() > kMaxAnswerLength) {
        entry.output =
            QStringLiteral("An answer of %1 characters, too long to keep").arg(entry.output.size());
        entry.answered = false;
    }
    m_totalLength += lengthOf(entry);
    m_entries.append(std::move(entry));
    dropOldest();
}

void ResultTape::addOlder(const QList<TapeEntry>& older) {
    QList<TapeEntry> newer = std::move(m_entries);
    clear();
    for (const TapeEntry& entry : older) {
        add(entry);
    }
    for (TapeEntry& entry : newer) {
        add(std::move(entry));
    }
}

void ResultTape::remove(qsizetype index) {
    if (index >= 0 && index < m_entries.size()) {
        m_totalLength -= lengthOf(m_entries.at(index));
        m_entries.removeAt(index);
    }
}

void ResultTape::clear() {
    m_entries.clear();
    m_totalLength = 0;
}

void ResultTape::dropOldest() {
    while (m_entries.size() > kMaxEntries || m_totalLength > kMaxTotalLength) {
        m_totalLength -= lengthOf(m_entries.constFirst());
        m_entries.removeFirst();
    }
}

QString tapeEntryText(const TapeEntry& entry) {
    if (entry.output.isEmpty()) {
        return entry.input;
    }
    return entry.input + QLatin1StringView(entry.answered ? "\n= " : "\n! ") + entry.output;
}

QString tapeText(const QList<TapeEntry>& entries) {
    QStringList parts;
    parts.reserve(entries.size());
    for (const TapeEntry& entry : entries) {
        parts.append(tapeEntryText(entry));
    }
    return parts.isEmpty() ? QString() : parts.join(u"\n\n") + u'\n';
}

QByteArray tapeFileText(const QList<TapeEntry>& entries) {
    QByteArray text = kHeader.toByteArray() + '\n';
    for (const TapeEntry& entry : entries) {
        text += '>' + escapedLine(entry.input) + '\n';
        if (!entry.output.isEmpty()) {
            text += (entry.answered ? '=' : '!') + escapedLine(entry.output) + '\n';
        }
    }
    return text;
}

std::optional<QList<TapeEntry>> parseTapeFile(QByteArrayView bytes) {
    if (!isRecordFile(bytes, kHeader)) {
        return std::nullopt;
    }
    QList<TapeEntry> entries;
    bool open = false; // the last entry read still waits for its output
    qsizetype start = 0;
    for (qsizetype end = bytes.indexOf('\n'); end >= 0; end = bytes.indexOf('\n', start)) {
        QByteArrayView line = bytes.sliced(start, end - start);
        start = end + 1;
        if (line.endsWith('\r')) {
            line.chop(1);
        }
        const char mark = line.isEmpty() ? '\0' : line.front();
        const std::optional<QString> text =
            line.isEmpty() ? std::nullopt : unescapedLine(line.sliced(1));
        if (mark == '>') {
            open = text.has_value();
            if (open) {
                entries.append({*text, QString(), false});
            }
        } else if ((mark == '=' || mark == '!') && open) {
            open = false;
            if (text) {
                entries.last().output = *text;
                entries.last().answered = mark == '=';
            }
        }
    }
    return entries;
}

} // namespace quorvix::app
