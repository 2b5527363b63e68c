#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <vector>

namespace quorvix::app {

// What a settings item asks the main window to do. The reader replays the user's own actions
// rather than setting the state, so the window's rules decide what results (a "pad=1" after
// "lang=1" finds the keypad unavailable and does nothing).
enum class SettingsAction {
    SelectJavaScript, // "lang=1": select the JavaScript option
    PressKeypad,      // "pad=1": press the Keypad button, if the language is VBScript then
};

// Reads a settings text fed in pieces of any size, keeping only what its items add up to.
//
// An item ends at a comma or a line end (CR, LF or CR LF); an item that begins with a double
// quote (after spaces) runs to the next double quote, which may be on a later line, is taken
// without its quotes, and whatever follows it up to the item's end is dropped. Items are compared
// with spaces trimmed at both ends and ASCII letters lower-cased; only "lang=1" and "pad=1"
// count.
class SettingsReader {
public:
    void feed(QByteArrayView bytes);
    // The actions of the items read so far, leaving out an item the text has not ended yet.
    std::vector<SettingsAction> actions() const;
    // The text has ended: its last item counts even without a line end. Returns actions().
    std::vector<SettingsAction> finish();

private:
    enum class State { ItemStart, Plain, Quoted, AfterQuote };

    void take(char c);
    void endItem();

    State m_state = State::ItemStart;
    bool m_afterCr = false; // an LF right after the CR that ended an item ends nothing more
    // The item so far, trimmed and lower-cased, while it can still be one of the two that count.
    char m_item[6] = {};
    int m_itemLength = 0;
    bool m_spaceAfterText = false;
    bool m_spoiled = false;
    // Two presses of Keypad in a row cancel out, and selecting JavaScript a second time does
    // nothing, so any file replays as at most: a press, the selection, a press.
    bool m_pressBefore = false;
    bool m_selected = false;
    bool m_pressAfter = false;
};

// The actions of a whole settings text, in the order the window replays them.
std::vector<SettingsAction> settingsActions(QByteArrayView content);

// Exactly two CR LF lines: "lang=0" under VBScript, else "lang=1"; "pad=0" while the keypad is
// hidden, else "pad=1".
QByteArray settingsText(bool vbscript, bool keypadHidden);

// Where the program reads and writes one of its files.
struct KeptFile {
    QString readPath;
    QString writePath; // empty when it can be kept nowhere
};

// The settings file, "Quorvix.ini". It has one home, read and written alike: the program's
// folder when the program can write its settings there, else the user's folder for the program
// (none when empty). While that has no file yet, the file beside the program is read instead,
// so that an installed copy starts with the defaults it came with.
class SettingsFile {
public:
    // Reading stops here, some 70,000 times the size of the file the program writes: no one
    // types a megabyte of settings, and a huge file must not hold up the start.
    static constexpr qint64 kReadLimit = qint64(1) << 20;

    struct Content {
        bool present = false; // a regular file of that name exists
        std::vector<SettingsAction> actions;
    };

    explicit SettingsFile(const QString& programFolder, const QString& userFolder = QString());

    QString path() const { return m_path; }
    QString userPath() const { return m_userPath; }
    // Where the settings are written; empty when nowhere.
    QString homePath() const;
    // A file kept beside the settings, named `name`: written in the home; read from there, or
    // while the home has none, from the program's folder, which the user may read but not write
    // (a shared copy).
    KeptFile keptFile(QLatin1StringView name) const;

    // Never blocks and never reads more than kReadLimit bytes.
    Content read() const;
    // Replaces the home's file whole, or leaves it as it was; false when it cannot be written.
    // Never blocks and never writes through a symbolic link.
    bool write(QByteArrayView bytes) const;

private:
    static Content readAt(const QString& path);

    QString m_path;
    QString m_userPath; // empty when there is no user folder to fall back on
};

} // namespace quorvix::app
