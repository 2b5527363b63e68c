#include "key_table.h"

#include "decimal_point.h"
#include "erase.h"
#include "exponent_entry.h"
#include "insert_at_cursor.h"
#include "memories.h"
#include "sign_toggle.h"

#include <array>

namespace quorvix::keypad {

namespace {

constexpr StepOrder stepsOf(KeyAction action) {
    switch (action) {
    case KeyAction::DecimalPoint:
    case KeyAction::SignToggle:
        return StepOrder::EditReleaseFocusCursorToEnd;
    case KeyAction::Clear:
        return StepOrder::ClearEvaluateReleaseFocusCursorToEnd;
    case KeyAction::Equals:
        return StepOrder::FocusEvaluateRelease;
    case KeyAction::Store:
        return StepOrder::EditFocusEvaluateRelease;
    case KeyAction::Insert:
    case KeyAction::Backspace:
    case KeyAction::Exponent:
    case KeyAction::Recall:
        break;
    }
    return StepOrder::EditReleaseFocus;
}

// Row colours and sizes of the keypad, top to bottom.
constexpr QRgb kRed = qRgb(255, 64, 64);
constexpr QRgb kLightGrey = qRgb(96, 96, 96);
constexpr QRgb kDarkGrey = qRgb(64, 64, 64);
constexpr QRgb kTeal = qRgb(0, 128, 128);
constexpr QRgb kNavy = qRgb(0, 0, 128);
constexpr double kLarge = 12;
constexpr double kSmall = 11.25;
constexpr int kDigitSide = 405;

constexpr KeypadKey key(QStringView name, int index, QStringView caption, QStringView inserted,
                        KeyAction action, TwipsRect rect, QRgb background, double pointSize,
                        int tabIndex) {
    return KeypadKey{name, index,      caption,   inserted, action, stepsOf(action),
                     rect, background, pointSize, tabIndex};
}

constexpr KeypadKey digit(int k, QStringView caption, int left, int top) {
    return key(u"Number", k, caption, caption, KeyAction::Insert,
               {left, top, kDigitSide, kDigitSide}, kDarkGrey, kLarge, 12 + k);
}

// Five keys of a memory row; the tab order of both rows runs c, k, z, y, x.
constexpr KeypadKey memoryKey(QStringView name, int index, KeyAction action, int top,
                              QRgb background, int firstTabIndex) {
    constexpr std::array<int, 5> tabOffset{4, 3, 2, 0, 1};
    const QStringView memory = kMemoryNames[static_cast<std::size_t>(index - 1)];
    return key(name, index, memory, action == KeyAction::Recall ? memory : QStringView{}, action,
               {5490 + 420 * (index - 1), top, kDigitSide, kDigitSide}, background, kLarge,
               firstTabIndex + tabOffset[static_cast<std::size_t>(index - 1)]);
}

constexpr std::array kKeys{
    digit(0, u"0", 5490, 2250),
    digit(1, u"1", 5490, 1830),
    digit(2, u"2", 5910, 1830),
    digit(3, u"3", 6330, 1830),
    digit(4, u"4", 5490, 1410),
    digit(5, u"5", 5910, 1410),
    digit(6, u"6", 6330, 1410),
    digit(7, u"7", 5490, 990),
    digit(8, u"8", 5910, 990),
    digit(9, u"9", 6330, 990),

    key(u"Backspace", -1, u"<--", {}, KeyAction::Backspace, {5400, 30, 1125, 285}, kRed, kLarge,
        38),
    key(u"C", -1, u"C", {}, KeyAction::Clear, {6540, 30, 1125, 285}, kRed, kLarge, 37),

    key(u"Pi", -1, u"\u03c0", u"Pi", KeyAction::Insert, {5400, 360, 555, 285}, kLightGrey, kSmall,
        34),
    key(u"Rnd", -1, u"Rnd", u"Rnd", KeyAction::Insert, {5970, 360, 555, 285}, kLightGrey, kSmall,
        36),
    key(u"AnsButton", -1, u"Ans", u"Ans", KeyAction::Insert, {6540, 360, 555, 285}, kLightGrey,
        kSmall, 39),
    key(u"PiRSquared", -1, u"\u03c0a\u00b2", u"^2*Pi", KeyAction::Insert, {7110, 360, 555, 285},
        kLightGrey, kSmall, 40),

    key(u"Exp", -1, u"Exp", {}, KeyAction::Exponent, {5400, 660, 555, 285}, kLightGrey, kSmall, 35),
    key(u"Squared", -1, u"a\u00b2", u"^2", KeyAction::Insert, {5970, 660, 555, 285}, kLightGrey,
        kSmall, 31),
    key(u"SqrRoot", -1, u"a^\u00bd", u"^(0.5)", KeyAction::Insert, {6540, 660, 555, 285},
        kLightGrey, kSmall, 32),
    key(u"Power", -1, u"a^b", u"^", KeyAction::Insert, {7110, 660, 555, 285}, kLightGrey, kSmall,
        33),

    key(u"OpenBracket", -1, u"(", u"(", KeyAction::Insert, {6750, 990, 405, 405}, kDarkGrey, kLarge,
        25),
    key(u"CloseBracket", -1, u")", u")", KeyAction::Insert, {7170, 990, 405, 405}, kDarkGrey,
        kLarge, 24),
    key(u"Multiply", -1, u"\u00d7", u"*", KeyAction::Insert, {6750, 1410, 405, 405}, kDarkGrey,
        kLarge, 27),
    key(u"Divide", -1, u"\u00f7", u"/", KeyAction::Insert, {7170, 1410, 405, 405}, kDarkGrey,
        kLarge, 26),
    key(u"Add", -1, u"+", u"+", KeyAction::Insert, {6750, 1830, 405, 405}, kDarkGrey, kLarge, 29),
    key(u"Subtract", -1, u"\u2013", u"-", KeyAction::Insert, {7170, 1830, 405, 405}, kDarkGrey,
        kLarge, 28),

    key(u"DPoint", -1, u"\u2022", {}, KeyAction::DecimalPoint, {5910, 2250, 405, 405}, kDarkGrey,
        kLarge, 22),
    key(u"PosNeg", -1, u"+/\u2013", {}, KeyAction::SignToggle, {6330, 2250, 405, 405}, kDarkGrey,
        kSmall, 23),
    key(u"Equals", -1, u"=", {}, KeyAction::Equals, {6750, 2250, 825, 405}, kDarkGrey, kLarge, 30),

    memoryKey(u"GetVar", 1, KeyAction::Recall, 2700, kTeal, 46),
    memoryKey(u"GetVar", 2, KeyAction::Recall, 2700, kTeal, 46),
    memoryKey(u"GetVar", 3, KeyAction::Recall, 2700, kTeal, 46),
    memoryKey(u"GetVar", 4, KeyAction::Recall, 2700, kTeal, 46),
    memoryKey(u"GetVar", 5, KeyAction::Recall, 2700, kTeal, 46),
    memoryKey(u"SetVar", 1, KeyAction::Store, 3120, kNavy, 41),
    memoryKey(u"SetVar", 2, KeyAction::Store, 3120, kNavy, 41),
    memoryKey(u"SetVar", 3, KeyAction::Store, 3120, kNavy, 41),
    memoryKey(u"SetVar", 4, KeyAction::Store, 3120, kNavy, 41),
    memoryKey(u"SetVar", 5, KeyAction::Store, 3120, kNavy, 41),
};

constexpr std::array kCaptionBoxes{
    CaptionBox{u"GetLabel", u"Get:", {5040, 2820, 435, 225}, 53},
    CaptionBox{u"SetLabel", u"Set:", {5040, 3240, 435, 225}, 52},
};

} // namespace

std::span<const KeypadKey> keypadKeys() {
    return kKeys;
}

std::span<const KeypadKey> numberKeys() {
    return std::span<const KeypadKey>(kKeys).first(10);
}

std::span<const CaptionBox> captionBoxes() {
    return kCaptionBoxes;
}

LineState applyKeyEdit(const KeypadKey& key, const LineState& state) {
    switch (key.action) {
    case KeyAction::Insert:
        return insertAtCursor(state, key.inserted);
    case KeyAction::Backspace:
        return backspace(state);
    case KeyAction::Exponent:
        return enterExponent(state);
    case KeyAction::DecimalPoint:
        return enterDecimalPoint(state);
    case KeyAction::SignToggle:
        return toggleSign(state);
    case KeyAction::Clear:
        return clearLine(state);
    case KeyAction::Recall:
        return recallMemory(state, key.index);
    case KeyAction::Store:
        return storeInMemory(state, key.index);
    case KeyAction::Equals:
        break;
    }
    return state;
}

} // namespace quorvix::keypad
