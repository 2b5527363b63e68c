#pragma once

#include <QStringView>
#include <QWidget>
#include <span>

namespace quorvix::ui {

// What a screen reader says for a control of a window that is not built from a control table
// (the main window's controls and keys carry theirs in their table rows).
struct SpokenControl {
    QStringView objectName;
    QStringView name; // empty: the control's own text is its name (it changes, or says it all)
    QStringView description;
};

std::span<const SpokenControl> helpWindowSpeech();
std::span<const SpokenControl> tapeWindowSpeech();
std::span<const SpokenControl> namesWindowSpeech();

// Gives each named child of `window` its accessible name and description.
void applySpeech(QWidget& window, std::span<const SpokenControl> controls);

} // namespace quorvix::ui
