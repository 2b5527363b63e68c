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

// The items of a settings text: an item ends at a comma or a line end (CR, LF or CR LF); an item
// that begins with a double quote (after blanks) runs to the next double quote, which may be on
// a later line, is taken without its quotes, and whatever follows it up to the item's end is
// dropped.
std::vector<QByteArray> settingsItems(QByteArrayView content);

// The actions of a settings text, in file order. Items are compared with blanks (spaces and
// tabs) trimmed at both ends and ASCII letters lower-cased; only "lang=1" and "pad=1" count.
std::vector<SettingsAction> settingsActions(QByteArrayView content);

// Exactly two CR LF lines: "lang=0" under VBScript, else "lang=1"; "pad=0" while the keypad is
// hidden, else "pad=1".
QByteArray settingsText(bool vbscript, bool keypadHidden);

// The settings file, "Quorvix.ini" in the program's folder. An installed copy cannot write
// there, so it may also be given the user's own settings folder: reading looks beside the
// program first, then there; writing tries beside the program first, then there.
class SettingsFile {
public:
    // A file larger than this is not one we wrote; it is treated as holding no settings.
    static constexpr qsizetype kMaxBytes = 64 * 1024;

    struct Content {
        bool present = false; // a regular file of that name exists
        QByteArray bytes;     // empty when it could not be read or is too large
    };

    explicit SettingsFile(const QString& folder, const QString& userFolder = QString());

    QString path() const { return m_path; }
    QString userPath() const { return m_userPath; }

    // Never blocks and never reads more than kMaxBytes.
    Content read() const;
    // Replaces the file's content; false when it cannot be written. Never blocks.
    bool write(QByteArrayView bytes) const;

private:
    static Content readAt(const QString& path);
    static bool writeAt(const QString& path, QByteArrayView bytes);

    QString m_path;
    QString m_userPath; // empty when there is no user folder to fall back on
};

} // namespace quorvix::app
