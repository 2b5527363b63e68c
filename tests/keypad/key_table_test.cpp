#include "../table_rows.h"
#include "edit_case.h"
#include "key_table.h"
#include "press_steps.h"

#include <QRect>
#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

namespace quorvix::keypad {
namespace {

using testing_rows::PrintTo;

// Each key, found by its name and member index: its caption, the steps a press takes in their
// order and the edit it makes. These rows are also the plain case of each edit; the edit tables
// hold the rest.
struct KeyCase {
    const char* name;
    const char16_t* objectName;
    int index;
    const char16_t* caption;
    const char* steps;
    LineState before;
    LineState after;
};

constexpr const char* kEdit = "edit release focus";
constexpr const char* kEditToEnd = "edit release focus end";
constexpr const char* kClear = "edit evaluate release focus end";
constexpr const char* kEquals = "focus evaluate release";
constexpr const char* kStore = "edit focus evaluate release";

// The steps runPress takes for `order`, by name.
std::string stepsOf(StepOrder order) {
    std::string log;
    const auto step = [&log](const char* name) {
        return [&log, name] { (log += log.empty() ? "" : " ") += name; };
    };
    runPress(order, {step("edit"), step("evaluate"), step("release"), step("focus"), step("end")});
    return log;
}

const KeyCase kKeys[] = {
    {"Add", u"Add", -1, u"+", kEdit, {"12", 1, 0}, {"1+2", 2, 0}},
    {"SubtractShowsEnDash", u"Subtract", -1, u"\u2013", kEdit, {"12", 1, 0}, {"1-2", 2, 0}},
    {"MultiplyShowsTimesSign", u"Multiply", -1, u"\u00d7", kEdit, {"12", 1, 0}, {"1*2", 2, 0}},
    {"DivideShowsDivisionSign", u"Divide", -1, u"\u00f7", kEdit, {"12", 1, 0}, {"1/2", 2, 0}},
    {"Power", u"Power", -1, u"a^b", kEdit, {"12", 1, 0}, {"1^2", 2, 0}},
    {"Squared", u"Squared", -1, u"a\u00b2", kEdit, {"12", 1, 0}, {"1^22", 3, 0}},
    {"SqrRoot", u"SqrRoot", -1, u"a^\u00bd", kEdit, {"12", 1, 0}, {"1^(0.5)2", 7, 0}},
    {"Pi", u"Pi", -1, u"\u03c0", kEdit, {"12", 1, 0}, {"1Pi2", 3, 0}},
    {"PiRSquared", u"PiRSquared", -1, u"\u03c0a\u00b2", kEdit, {"12", 1, 0}, {"1^2*Pi2", 6, 0}},
    {"OpenBracket", u"OpenBracket", -1, u"(", kEdit, {"12", 1, 0}, {"1(2", 2, 0}},
    {"CloseBracket", u"CloseBracket", -1, u")", kEdit, {"12", 1, 0}, {"1)2", 2, 0}},
    {"AnsButton", u"AnsButton", -1, u"Ans", kEdit, {"12", 1, 0}, {"1Ans2", 4, 0}},
    {"Rnd", u"Rnd", -1, u"Rnd", kEdit, {"12", 1, 0}, {"1Rnd2", 4, 0}},
    {"Backspace", u"Backspace", -1, u"<--", kEdit, {"123", 3, 0}, {"12", 2, 0}},
    {"Clear", u"C", -1, u"C", kClear, {"123", 1, 1}, {"", 0, 0}},
    {"Exp", u"Exp", -1, u"Exp", kEdit, {"2", 1, 0}, {"2E", 2, 0}},
    {"DPointShowsBullet", u"DPoint", -1, u"\u2022", kEditToEnd, {"12", 1, 0}, {"1.2", 3, 0}},
    {"PosNegEnDash", u"PosNeg", -1, u"+/\u2013", kEditToEnd, {"12+34", 0, 0}, {"12+(-34)", 8, 0}},
    {"EqualsLeavesLine", u"Equals", -1, u"=", kEquals, {"2+3", 1, 1}, {"2+3", 1, 1}},
    {"GetVarX", u"GetVar", 1, u"x", kEdit, {"2*", 2, 0}, {"2*x", 3, 0}},
    {"GetVarK", u"GetVar", 5, u"k", kEdit, {"12", 1, 0}, {"1k2", 2, 0}},
    {"SetVarX", u"SetVar", 1, u"x", kStore, {"5", 1, 0}, {"!x=5", 0, 0}},
    {"SetVarC", u"SetVar", 4, u"c", kStore, {"+1", 0, 0}, {"!c=+1", 0, 0}},
};

class Key : public testing::TestWithParam<KeyCase> {};

TEST_P(Key, ShowsItsCaptionAndEditsAsItsFamily) {
    const KeyCase& row = GetParam();
    const auto keys = keypadKeys();
    const auto key = std::find_if(keys.begin(), keys.end(), [&](const KeypadKey& k) {
        return k.objectName == QStringView(row.objectName) && k.index == row.index;
    });
    ASSERT_NE(key, keys.end());
    EXPECT_EQ(key->caption, QStringView(row.caption));
    EXPECT_EQ(stepsOf(key->steps), row.steps);
    EXPECT_EQ(applyKeyEdit(*key, row.before), row.after);
}

INSTANTIATE_TEST_SUITE_P(Rows, Key, testing::ValuesIn(kKeys), testing_rows::RowName());

const KeypadKey& keyNamed(QStringView objectName, int index) {
    const auto keys = keypadKeys();
    return *std::find_if(keys.begin(), keys.end(), [&](const KeypadKey& k) {
        return k.objectName == objectName && k.index == index;
    });
}

// One key of each row: its colour, type size and spoken name (memory keys by what they do).
TEST(KeyLook, EachRowHasItsColourTypeAndSpokenNames) {
    struct Look {
        const char16_t* objectName;
        int index;
        QRgb background;
        double pointSize;
        const char16_t* spoken;
    };
    for (const Look& row : {Look{u"C", -1, qRgb(255, 64, 64), 12, u"clear"},
                            Look{u"Pi", -1, qRgb(96, 96, 96), 11.25, u"pi"},
                            Look{u"Power", -1, qRgb(96, 96, 96), 11.25, u"power"},
                            Look{u"Number", 7, qRgb(64, 64, 64), 12, u"7"},
                            Look{u"PosNeg", -1, qRgb(64, 64, 64), 11.25, u"change sign"},
                            Look{u"GetVar", 1, qRgb(0, 128, 128), 12, u"recall x"},
                            Look{u"SetVar", 5, qRgb(0, 0, 128), 12, u"store in k"}}) {
        const KeypadKey& key = keyNamed(row.objectName, row.index);
        SCOPED_TRACE(key.objectName.toString().toStdString());
        EXPECT_EQ(key.background, row.background);
        EXPECT_EQ(key.pointSize, row.pointSize);
        EXPECT_EQ(key.accessibleName, QStringView(row.spoken));
    }
}

// The keys form a grid: each shares its left edge, and its top and height, with other keys.
TEST(KeyLook, KeysFormAGridOnThePanel) {
    const auto rectOf = [](TwipsRect r) { return QRect(r.left, r.top, r.width, r.height); };
    const QRect panel = rectOf(kPanelRect);
    for (const KeypadKey& key : keypadKeys()) {
        SCOPED_TRACE(key.objectName.toString().toStdString() + std::to_string(key.index));
        const QRect place = rectOf(key.rect);
        EXPECT_TRUE(panel.contains(place));
        bool column = false;
        bool row = false;
        for (const KeypadKey& other : keypadKeys()) {
            const QRect otherPlace = rectOf(other.rect);
            if (&other != &key) {
                EXPECT_FALSE(place.intersects(otherPlace));
                column |= otherPlace.left() == place.left();
                row |= otherPlace.top() == place.top() && otherPlace.height() == place.height();
            }
        }
        EXPECT_TRUE(column && row);
    }
}

// Tab visits every key once: the 39 keys hold the tab indices 12 to 50, one each.
TEST(KeyLook, KeysHoldEachTabIndexFrom12To50Once) {
    std::vector<int> indices;
    for (const KeypadKey& key : keypadKeys()) {
        indices.push_back(key.tabIndex);
    }
    std::sort(indices.begin(), indices.end());
    std::vector<int> expected(39);
    std::iota(expected.begin(), expected.end(), 12);
    EXPECT_EQ(indices, expected);
}

} // namespace
} // namespace quorvix::keypad
