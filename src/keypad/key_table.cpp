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

// `spoken` is the accessible name, `does` the accessible description.
constexpr KeypadKey key(QStringView name, int index, QStringView caption, QStringView inserted,
                        KeyAction action, TwipsRect rect, QRgb background, double pointSize,
                        int tabIndex, QStringView spoken, QStringView does) {
    return KeypadKey{name, index,      caption,   inserted, action, stepsOf(action),
                     rect, background, pointSize, tabIndex, spoken, does};
}

constexpr KeypadKey digit(int k, QStringView caption, int left, int top) {
    return key(u"Number", k, caption, caption, KeyAction::Insert,
               {left, top, kDigitSide, kDigitSide}, kDarkGrey, kLarge, 12 + k, caption,
               u"Inserts the digit at the cursor");
}

// Spoken names of the memory keys, in the order x, y, z, c, k.
constexpr std::array<QStringView, 5> kRecallNames{u"recall x", u"recall y", u"recall z",
                                                  u"recall c", u"recall k"};
constexpr std::array<QStringView, 5> kStoreNames{u"store in x", u"store in y", u"store in z",
                                                 u"store in c", u"store in k"};

// Five keys of a memory row; the tab order of both rows runs c, k, z, y, x.
constexpr KeypadKey memoryKey(QStringView name, int index, KeyAction action, int top,
                              QRgb background, int firstTabIndex) {
    constexpr std::array<int, 5> tabOffset{4, 3, 2, 0, 1};
    const auto slot = static_cast<std::size_t>(index - 1);
    const QStringView memory = kMemoryNames[slot];
    const bool recall = action == KeyAction::Recall;
    return key(name, index, memory, recall ? memory : QStringView{}, action,
               {5490 + 420 * (index - 1), top, kDigitSide, kDigitSide}, background, kLarge,
               firstTabIndex + tabOffset[slot], recall ? kRecallNames[slot] : kStoreNames[slot],
               recall ? u"Inserts the memory's name at the cursor"
                      : u"Evaluates the input line and stores its value in the memory");
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

    key(u"Backspace", -1, u"<--", {}, KeyAction::Backspace, {5400, 30, 1125, 285}, kRed, kLarge, 38,
        u"backspace", u"Deletes the character before the cursor, or the selection"),
    key(u"C", -1, u"C", {}, KeyAction::Clear, {6540, 30, 1125, 285}, kRed, kLarge, 37, u"clear",
        u"Empties the input line and evaluates it"),

    key(u"Pi", -1, u"\u03c0", u"Pi", KeyAction::Insert, {5400, 360, 555, 285}, kLightGrey, kSmall,
        34, u"pi", u"Inserts Pi at the cursor"),
    key(u"Rnd", -1, u"Rnd", u"Rnd", KeyAction::Insert, {5970, 360, 555, 285}, kLightGrey, kSmall,
        36, u"random number", u"Inserts Rnd, a random number from 0 to 1"),
    key(u"AnsButton", -1, u"Ans", u"Ans", KeyAction::Insert, {6540, 360, 555, 285}, kLightGrey,
        kSmall, 39, u"last answer", u"Inserts Ans, the last answer"),
    key(u"PiRSquared", -1, u"\u03c0a\u00b2", u"^2*Pi", KeyAction::Insert, {7110, 360, 555, 285},
        kLightGrey, kSmall, 40, u"pi r squared",
        u"Inserts ^2*Pi: the area of a circle of the radius before it"),

    key(u"Exp", -1, u"Exp", {}, KeyAction::Exponent, {5400, 660, 555, 285}, kLightGrey, kSmall, 35,
        u"exponent", u"Enters the exponent E of a number"),
    key(u"Squared", -1, u"a\u00b2", u"^2", KeyAction::Insert, {5970, 660, 555, 285}, kLightGrey,
        kSmall, 31, u"square", u"Inserts ^2"),
    key(u"SqrRoot", -1, u"a^\u00bd", u"^(0.5)", KeyAction::Insert, {6540, 660, 555, 285},
        kLightGrey, kSmall, 32, u"square root", u"Inserts ^(0.5)"),
    key(u"Power", -1, u"a^b", u"^", KeyAction::Insert, {7110, 660, 555, 285}, kLightGrey, kSmall,
        33, u"power", u"Inserts ^, raising to a power"),

    key(u"OpenBracket", -1, u"(", u"(", KeyAction::Insert, {6750, 990, 405, 405}, kDarkGrey, kLarge,
        25, u"open bracket", u"Inserts ("),
    key(u"CloseBracket", -1, u")", u")", KeyAction::Insert, {7170, 990, 405, 405}, kDarkGrey,
        kLarge, 24, u"close bracket", u"Inserts )"),
    key(u"Multiply", -1, u"\u00d7", u"*", KeyAction::Insert, {6750, 1410, 405, 405}, kDarkGrey,
        kLarge, 27, u"multiply", u"Inserts *"),
    key(u"Divide", -1, u"\u00f7", u"/", KeyAction::Insert, {7170, 1410, 405, 405}, kDarkGrey,
        kLarge, 26, u"divide", u"Inserts /"),
    key(u"Add", -1, u"+", u"+", KeyAction::Insert, {6750, 1830, 405, 405}, kDarkGrey, kLarge, 29,
        u"add", u"Inserts +"),
    key(u"Subtract", -1, u"\u2013", u"-", KeyAction::Insert, {7170, 1830, 405, 405}, kDarkGrey,
        kLarge, 28, u"subtract", u"Inserts -"),

    key(u"DPoint", -1, u"\u2022", {}, KeyAction::DecimalPoint, {5910, 2250, 405, 405}, kDarkGrey,
        kLarge, 22, u"decimal point", u"Enters the decimal point of the number at the end"),
    key(u"PosNeg", -1, u"+/\u2013", {}, KeyAction::SignToggle, {6330, 2250, 405, 405}, kDarkGrey,
        kSmall, 23, u"change sign", u"Changes the sign of the number at the end"),
    key(u"Equals", -1, u"=", {}, KeyAction::Equals, {6750, 2250, 825, 405}, kDarkGrey, kLarge, 30,
        u"equals", u"Evaluates the input line"),

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
    CaptionBox{u"GetLabel",
               u"Get:",
               {5040, 2820, 435, 225},
               53,
               u"Get",
               u"The keys to its right insert a memory's name"},
    CaptionBox{u"SetLabel",
               u"Set:",
               {5040, 3240, 435, 225},
               52,
               u"Set",
               u"The keys to its right store the input line's value in a memory"},
};

} // namespace

std::span<const KeypadKey> keypadKeys() {
    return kKeys;
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
