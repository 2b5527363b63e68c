#include "edit_case.h"
#include "key_table.h"

#include <QRect>
#include <algorithm>
#include <set>

namespace quorvix::keypad {
namespace {

template <class Match> const KeypadKey* findKey(Match match) {
    const auto keys = keypadKeys();
    const auto it = std::find_if(keys.begin(), keys.end(), match);
    return it == keys.end() ? nullptr : &*it;
}

// Each insertion key, found by its exact caption, pressed with the cursor between "1" and "2".
struct InsertionKeyCase {
    const char* name;
    const char16_t* caption;
    const char* lineAfter;
};

const InsertionKeyCase kInsertionKeys[] = {
    {"Add", u"+", "1+2"},
    {"SubtractShowsEnDash", u"\u2013", "1-2"},
    {"MultiplyShowsTimesSign", u"\u00d7", "1*2"},
    {"DivideShowsDivisionSign", u"\u00f7", "1/2"},
    {"Power", u"a^b", "1^2"},
    {"Squared", u"a\u00b2", "1^22"},
    {"SqrRoot", u"a^\u00bd", "1^(0.5)2"},
    {"Pi", u"\u03c0", "1Pi2"},
    {"PiRSquared", u"\u03c0a\u00b2", "1^2*Pi2"},
    {"OpenBracket", u"(", "1(2"},
    {"CloseBracket", u")", "1)2"},
    {"AnsButton", u"Ans", "1Ans2"},
    {"Rnd", u"Rnd", "1Rnd2"},
};

class InsertionKey : public testing::TestWithParam<InsertionKeyCase> {};

TEST_P(InsertionKey, InsertsItsText) {
    const KeypadKey* key =
        findKey([](const KeypadKey& k) { return k.caption == QStringView(GetParam().caption); });
    ASSERT_NE(key, nullptr);
    const QString after = GetParam().lineAfter;
    const qsizetype cursor = after.size() - 1;
    EXPECT_EQ(applyKeyEdit(*key, {"12", 1, 0}), (LineState{after, cursor, 0}));
    EXPECT_EQ(key->steps, StepOrder::EditReleaseFocus);
}

INSTANTIATE_TEST_SUITE_P(Rows, InsertionKey, testing::ValuesIn(kInsertionKeys),
                         rowName<InsertionKeyCase>);

TEST(NumberKeys, EachInsertsItsOwnDigit) {
    const auto digits = numberKeys();
    ASSERT_EQ(digits.size(), 10u);
    for (int k = 0; k < 10; ++k) {
        const QString digit = QString::number(k);
        const KeypadKey& key = digits[static_cast<std::size_t>(k)];
        EXPECT_EQ(key.caption, digit);
        EXPECT_EQ(applyKeyEdit(key, {"", 0, 0}), (LineState{digit, 1, 0}));
    }
}

// The other keys, found by name, with the edit they make and the order of their steps.
struct OtherKeyCase {
    const char* name;
    const char16_t* objectName;
    int index;
    const char16_t* caption;
    StepOrder steps;
    EditCase edit;
};

const OtherKeyCase kOtherKeys[] = {
    {"Backspace",
     u"Backspace",
     -1,
     u"<--",
     StepOrder::EditReleaseFocus,
     {"", {"123", 3, 0}, {"12", 2, 0}}},
    {"Clear",
     u"C",
     -1,
     u"C",
     StepOrder::ClearEvaluateReleaseFocusCursorToEnd,
     {"", {"123", 1, 1}, {"", 0, 0}}},
    {"Exp", u"Exp", -1, u"Exp", StepOrder::EditReleaseFocus, {"", {"2", 1, 0}, {"2E", 2, 0}}},
    {"DPointShowsBullet",
     u"DPoint",
     -1,
     u"\u2022",
     StepOrder::EditReleaseFocusCursorToEnd,
     {"", {"12", 1, 0}, {"1.2", 3, 0}}},
    {"PosNegShowsEnDash",
     u"PosNeg",
     -1,
     u"+/\u2013",
     StepOrder::EditReleaseFocusCursorToEnd,
     {"", {"12+34", 0, 0}, {"12+(-34)", 8, 0}}},
    {"EqualsLeavesLine",
     u"Equals",
     -1,
     u"=",
     StepOrder::FocusEvaluateRelease,
     {"", {"2+3", 1, 1}, {"2+3", 1, 1}}},
    {"GetVarX", u"GetVar", 1, u"x", StepOrder::EditReleaseFocus, {"", {"2*", 2, 0}, {"2*x", 3, 0}}},
    {"GetVarK", u"GetVar", 5, u"k", StepOrder::EditReleaseFocus, {"", {"12", 1, 0}, {"1k2", 2, 0}}},
    {"SetVarX",
     u"SetVar",
     1,
     u"x",
     StepOrder::EditFocusEvaluateRelease,
     {"", {"5", 1, 0}, {"!x=5", 0, 0}}},
    {"SetVarC",
     u"SetVar",
     4,
     u"c",
     StepOrder::EditFocusEvaluateRelease,
     {"", {"+1", 0, 0}, {"!c=+1", 0, 0}}},
};

class OtherKey : public testing::TestWithParam<OtherKeyCase> {};

TEST_P(OtherKey, EditsAndStepsAsItsFamily) {
    const OtherKeyCase& row = GetParam();
    const KeypadKey* key = findKey([&](const KeypadKey& k) {
        return k.objectName == QStringView(row.objectName) && k.index == row.index;
    });
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->caption, QStringView(row.caption));
    EXPECT_EQ(key->steps, row.steps);
    EXPECT_EQ(applyKeyEdit(*key, row.edit.before), row.edit.after);
}

INSTANTIATE_TEST_SUITE_P(Rows, OtherKey, testing::ValuesIn(kOtherKeys), rowName<OtherKeyCase>);

QRect toRect(const TwipsRect& r) {
    return QRect(r.left, r.top, r.width, r.height);
}

TEST(KeypadLayout, KeysLieInsideThePanelWithoutOverlapping) {
    const QRect panel = toRect(kPanelRect);
    std::vector<QRect> taken;
    for (const KeypadKey& key : keypadKeys()) {
        const QRect rect = toRect(key.rect);
        EXPECT_TRUE(panel.contains(rect)) << key.objectName.toString().toStdString();
        for (const QRect& other : taken) {
            EXPECT_FALSE(rect.intersects(other)) << key.objectName.toString().toStdString();
        }
        taken.push_back(rect);
    }
    for (const CaptionBox& box : captionBoxes()) {
        EXPECT_TRUE(panel.contains(toRect(box.rect)));
    }
}

TEST(KeypadLayout, TabIndicesAreDistinctAndFillTheKeypadRange) {
    std::set<int> used{kPanelTabIndex};
    for (const KeypadKey& key : keypadKeys()) {
        EXPECT_TRUE(used.insert(key.tabIndex).second) << key.tabIndex;
    }
    for (const CaptionBox& box : captionBoxes()) {
        EXPECT_TRUE(used.insert(box.tabIndex).second) << box.tabIndex;
    }
    EXPECT_EQ(used.size(), 42u);
    EXPECT_EQ(*used.begin(), 12);
    EXPECT_EQ(*used.rbegin(), 53);
}

} // namespace
} // namespace quorvix::keypad
