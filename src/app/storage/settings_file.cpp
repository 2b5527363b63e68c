#include "settings_file.h"

#include "file_replace.h"
#include "settings_home.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvix::app {

namespace {

bool isItemEnd(char c) {
    return c == ',' || c == '\r' || c == '\n';
}

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

} // namespace

void SettingsReader::feed(QByteArrayView bytes) {
    for (const char c : bytes) {
        take(c);
    }
}

void SettingsReader::take(char c) {
    if (m_afterCr) {
        m_afterCr = false;
        if (c == '\n') {
            return;
        }
    }
    if (m_state != State::Quoted && isItemEnd(c)) {
        endItem();
        m_afterCr = c == '\r';
        return;
    }
    switch (m_state) {
    case State::ItemStart:
        if (c == '"') {
            m_state = State::Quoted;
            return;
        }
        if (c == ' ') {
            return;
        }
        m_state = State::Plain;
        break;
    case State::Quoted:
        if (c == '"') {
            m_state = State::AfterQuote;
            return;
        }
        break;
    case State::AfterQuote:
        return; // dropped up to the item's end
    case State::Plain:
        break;
    }
    if (c == ' ') {
        m_spaceAfterText = m_itemLength > 0;
    } else if (m_spoiled || m_spaceAfterText || m_itemLength == int(sizeof m_item)) {
        m_spoiled = true; // longer than "lang=1", or a space inside
    } else {
        m_item[m_itemLength++] = asciiLower(c);
    }
}

void SettingsReader::endItem() {
    const QByteArrayView item(m_item, m_itemLength);
    if (!m_spoiled && item == "lang=1") {
        m_selected = true;
    }
    if (!m_spoiled && item == "pad=1") {
        bool& press = m_selected ? m_pressAfter : m_pressBefore;
        press = !press;
    }
    m_state = State::ItemStart;
    m_itemLength = 0;
    m_spaceAfterText = false;
    m_spoiled = false;
}

std::vector<SettingsAction> SettingsReader::actions() const {
    std::vector<SettingsAction> actions;
    if (m_pressBefore) {
        actions.push_back(SettingsAction::PressKeypad);
    }
    if (m_selected) {
        actions.push_back(SettingsAction::SelectJavaScript);
    }
    if (m_pressAfter) {
        actions.push_back(SettingsAction::PressKeypad);
    }
    return actions;
}

std::vector<SettingsAction> SettingsReader::finish() {
    endItem();
    return actions();
}

std::vector<SettingsAction> settingsActions(QByteArrayView content) {
    SettingsReader reader;
    reader.feed(content);
    return reader.finish();
}

QByteArray settingsText(bool vbscript, bool keypadHidden) {
    QByteArray text = vbscript ? "lang=0\r\n" : "lang=1\r\n";
    text += keypadHidden ? "pad=0\r\n" : "pad=1\r\n";
    return text;
}

SettingsFile::SettingsFile(const QString& programFolder, const QString& userFolder)
    : m_path(QDir(programFolder).filePath(QStringLiteral("Quorvix.ini"))),
      m_userPath(userFolder.isEmpty() ? QString()
                                      : QDir(userFolder).filePath(QStringLiteral("Quorvix.ini"))) {}

QString SettingsFile::homePath() const {
    return canKeepSettingsAt(m_path) ? m_path : m_userPath;
}

KeptFile SettingsFile::keptFile(QLatin1StringView name) const {
    const QString home = homePath();
    KeptFile file{QString(), home.isEmpty() ? QString() : QFileInfo(home).dir().filePath(name)};
    const QString beside = QFileInfo(m_path).dir().filePath(name);
    const bool fromBeside = !QFileInfo::exists(file.writePath) && QFileInfo::exists(beside);
    file.readPath = fromBeside ? beside : file.writePath;
    return file;
}

SettingsFile::Content SettingsFile::read() const {
    const QString home = homePath();
    Content content = home.isEmpty() ? Content() : readAt(home);
    if (!content.present && home != m_path) {
        content = readAt(m_path); // the defaults an installed copy came with
    }
    return content;
}

bool SettingsFile::write(QByteArrayView bytes) const {
    const QString home = homePath();
    if (home.isEmpty()) {
        return false;
    }
    if (home == m_userPath) {
        QDir().mkpath(QFileInfo(home).absolutePath());
    }
    return replaceFile(home, bytes);
}

SettingsFile::Content SettingsFile::readAt(const QString& path) {
    Content content;
    const QByteArray name = QFile::encodeName(path);
    // O_NONBLOCK: opening a fifo for reading would otherwise wait for a writer.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    struct stat info {};
    if (fd < 0) {
        // An unreadable file is there, with no items to replay.
        content.present = ::stat(name.constData(), &info) == 0 && S_ISREG(info.st_mode);
        return content;
    }
    content.present = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    SettingsReader reader;
    char buffer[64 * 1024];
    qint64 total = 0;
    bool ended = false;
    while (content.present && total < kReadLimit) {
        const ssize_t n =
            ::read(fd, buffer, size_t(std::min<qint64>(sizeof buffer, kReadLimit - total)));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            ended = n == 0;
            break;
        }
        reader.feed(QByteArrayView(buffer, n));
        total += n;
    }
    ::close(fd);
    // An item cut off by the limit or a read error is left out, as it may have gone on.
    content.actions = ended ? reader.finish() : reader.actions();
    return content;
}

} // namespace quorvix::app
