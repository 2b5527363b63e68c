#pragma once

#include "line_state.h"

#include <QRgb>
#include <QStringView>
#include <span>

namespace quorvix::keypad {

// What a key does to the input line (the pure edit it runs).
enum class KeyAction {
    Insert,       // insert KeypadKey::inserted at the cursor
    Backspace,    // backspace()
    Exponent,     // enterExponent()
    DecimalPoint, // enterDecimalPoint()
    SignToggle,   // toggleSign()
    Clear,        // clearLine(), then evaluate
    Equals,       // no edit; evaluate
    Recall,       // recallMemory(index)
    Store,        // storeInMemory(index), then evaluate in statement mode
};

// The order in which the window runs the steps of a press. "Release" is
// KeypadButton::release(); "focus" gives the focus back to the input line without touching its
// cursor or selection; "cursor to end" puts the cursor at the end of the text.
enum class StepOrder {
    EditReleaseFocus,                     // insertions, Backspace, Exp, GetVar
    EditReleaseFocusCursorToEnd,          // DPoint, PosNeg
    ClearEvaluateReleaseFocusCursorToEnd, // C
    FocusEvaluateRelease,                 // Equals: the evaluation leaves the line all selected
    EditFocusEvaluateRelease,             // SetVar
};

// A rectangle in twips (15 twips per logical pixel), in window coordinates.
struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// One keypad button. Captions are exact (en dash, multiplication and division signs, bullet,
// pi, superscript two, one half); inserted texts are plain ASCII.
struct KeypadKey {
    QStringView objectName; // the control's name; members of one array share it
    int index;              // member of Number (0-9), GetVar or SetVar (1-5); -1 for others
    QStringView caption;
    QStringView inserted; // the text an Insert or Recall key inserts; empty for other keys
    KeyAction action;
    StepOrder steps;
    TwipsRect rect;
    QRgb background;
    double pointSize; // the keypad font is white bold kKeyFontFamily
    int tabIndex;
    // What a screen reader says for the key ("pi", "multiply", "store in x"), and what it does.
    QStringView accessibleName;
    QStringView accessibleDescription;
};

// A read-only caption box beside a memory row: white bold kLabelFontFamily on kPanelColour,
// right-aligned, not a Tab stop.
struct CaptionBox {
    QStringView objectName;
    QStringView text;
    TwipsRect rect;
    int tabIndex;
    QStringView accessibleName;
    QStringView accessibleDescription;
};

inline constexpr QStringView kKeyFontFamily = u"Times New Roman";
inline constexpr QRgb kKeyTextColour = qRgb(255, 255, 255);
inline constexpr QStringView kLabelFontFamily = u"MS Sans Serif";
inline constexpr double kLabelPointSize = 8.25;
// The dark panel behind the keypad; it lies right of x = 5040, seen only in the wide window.
inline constexpr QRgb kPanelColour = qRgb(48, 48, 48);
inline constexpr TwipsRect kPanelRect{5040, 0, 2955, 3555};
inline constexpr int kPanelTabIndex = 51;
inline constexpr QStringView kPanelAccessibleName = u"keypad";
inline constexpr QStringView kPanelAccessibleDescription =
    u"The keys that insert numbers, operators and memories in the input line";

// Every keypad button, Number 0 to 9 first (in index order), then the other keys row by row.
std::span<const KeypadKey> keypadKeys();
// GetLabel and SetLabel.
std::span<const CaptionBox> captionBoxes();

// The line after the key's edit. Equals leaves the line unchanged; Clear empties it; Store
// builds the memory statement. The window runs this at the "edit" step of key.steps.
LineState applyKeyEdit(const KeypadKey& key, const LineState& state);

} // namespace quorvix::keypad
