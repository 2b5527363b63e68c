#pragma once

#include "control_row.h"

#include <span>

namespace quorvix::app {

// Client sizes of the main window: the keypad is seen only while the window is wide.
inline constexpr int kNarrowClientWidthTwips = 4935;
inline constexpr int kWideClientWidthTwips = 7995;
inline constexpr int kClientHeightTwips = 3555;

// The controls of the main window's left part, ordered by tab index. The keypad part (panel,
// buttons, caption boxes) comes from the keypad's own key table.
std::span<const ControlRow> mainWindowControls();

} // namespace quorvix::app
