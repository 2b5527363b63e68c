#include "spoken_controls.h"

#include <array>

namespace quorvix::ui {

namespace {

// clang-format off
constexpr std::array kHelpWindow{
    SpokenControl{u"txtHelpFile",     u"help text",      u"The program's read-me, read-only"},
    SpokenControl{u"imgSendMoreInfo", u"advertisement",  u"Click to open the advertiser's web page"},
    SpokenControl{u"lblSendMoreInfo", {},                u"Click to open the advertiser's web page"},
};

constexpr std::array kTapeWindow{
    SpokenControl{u"Filter",       u"filter",          u"Shows only the entries whose input or answer holds this text; Ctrl+F comes here"},
    SpokenControl{u"Entries",      u"result tape",     u"Every evaluation, newest at the bottom: Enter inserts the chosen answer in the input line, Shift+Enter its input, Ctrl+C copies it, Delete removes it"},
    SpokenControl{u"InsertAnswer", u"insert answer",   u"Inserts the chosen entry's answer in the input line at its cursor"},
    SpokenControl{u"InsertInput",  u"insert input",    u"Inserts the chosen entry's input in the input line at its cursor"},
    SpokenControl{u"CopyEntry",    u"copy",            u"Copies the chosen entry to the clipboard"},
    SpokenControl{u"CopyAll",      u"copy all",        u"Copies the entries shown to the clipboard"},
    SpokenControl{u"DeleteEntry",  u"delete",          u"Removes the chosen entry from the tape"},
    SpokenControl{u"ClearAll",     u"clear all",       u"Removes every entry from the tape"},
    SpokenControl{u"Save",         u"save as text",    u"Saves the entries shown to a text file"},
    // The status line's text is what there is to hear, so it keeps it as its name.
    SpokenControl{u"Status",       {},                 u"Whether the tape was saved"},
};

constexpr std::array kNamesWindow{
    // The heading's text (how many names) is what there is to hear.
    SpokenControl{u"NamesHeading", {},                 u"How many names the session holds"},
    SpokenControl{u"NamesList",    u"names",           u"The session's variables, procedures and classes with their values or parameters: Enter inserts the chosen name in the input line"},
};
// clang-format on

} // namespace

std::span<const SpokenControl> helpWindowSpeech() {
    return kHelpWindow;
}

std::span<const SpokenControl> tapeWindowSpeech() {
    return kTapeWindow;
}

std::span<const SpokenControl> namesWindowSpeech() {
    return kNamesWindow;
}

void applySpeech(QWidget& window, std::span<const SpokenControl> controls) {
    for (const SpokenControl& control : controls) {
        auto* widget = window.findChild<QWidget*>(control.objectName.toString());
        // A row without its control is a fault of the table, found by the accessibility tree test.
        if (!widget) {
            continue;
        }
        if (!control.name.isEmpty()) {
            widget->setAccessibleName(control.name.toString());
        }
        widget->setAccessibleDescription(control.description.toString());
    }
}

} // namespace quorvix::ui
