#include "edit_case.h"
#include "key_table.h"

#include <QRect>
#include <algorithm>
#include <set>

namespace quorvix::keypad {
namespace {

const KeySpec* findByCaption(QStringView caption) {
    const auto keys = keypadKeys();
    const auto it = std::find_if(keys.begin(), keys.end(),
                                 [&](const KeySpec& key) { return key.caption == caption; });
    return it == keys.end() ? nullptr : &*it;
}

const KeySpec* find(QStringView name, int index = -1) {
    for (const KeySpec& key : keypadKeys()) {
        if (key.objectName == name && key.index == index) {
            return &key;
        }
    }
    return nullptr;
}

// Each insertion key, found by its exact caption, pressed with the cursor between "1" and "2".
struct InsertionKeyCase {
    const char* name;
    const char16_t* caption;
    const char* lineAfter;
};

void PrintTo(const InsertionKeyCase& row, std::ostream* os) {
    *os << row.name;
}

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
    const KeySpec* key = findByCaption(QStringView(GetParam().caption));
    ASSERT_NE(key, nullptr);
    const QString after = GetParam().lineAfter;
    const qsizetype cursor = after.size() - 1;
    EXPECT_EQ(applyKeyEdit(*key, {"12", 1, 0}), (LineState{after, cursor, 0}));
    EXPECT_EQ(key->steps, StepOrder::EditReleaseFocus);
}

INSTANTIATE_TEST_SUITE_P(Rows, InsertionKey, testing::ValuesIn(kInsertionKeys),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(NumberKeys, EachInsertsItsOwnDigit) {
    const auto digits = numberKeys();
    ASSERT_EQ(digits.size(), 10u);
    for (int k = 0; k < 10; ++k) {
        const QString digit = QString::number(k);
        const KeySpec& key = digits[static_cast<std::size_t>(k)];
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

void PrintTo(const OtherKeyCase& row, std::ostream* os) {
    *os << row.name;
}

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
    const KeySpec* key = find(QStringView(row.objectName), row.index);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->caption, QStringView(row.caption));
    EXPECT_EQ(key->steps, row.steps);
    EXPECT_EQ(applyKeyEdit(*key, row.edit.before), row.edit.after);
}

INSTANTIATE_TEST_SUITE_P(Rows, OtherKey, testing::ValuesIn(kOtherKeys),
                         [](const auto& info) { return std::string(info.param.name); });

QRect toRect(const TwipsRect& r) {
    return QRect(r.left, r.top, r.width, r.height);
}

TEST(KeypadLayout, KeysLieInsideThePanelWithoutOverlapping) {
    const QRect panel = toRect(kPanelRect);
    std::vector<QRect> taken;
    for (const KeySpec& key : keypadKeys()) {
        const QRect rect = toRect(key.rect);
        EXPECT_TRUE(panel.contains(rect)) << key.objectName.toString().toStdString();
        for (const QRect& other : taken) {
            EXPECT_FALSE(rect.intersects(other)) << key.objectName.toString().toStdString();
        }
        taken.push_back(rect);
    }
    for (const CaptionBoxSpec& box : captionBoxes()) {
        EXPECT_TRUE(panel.contains(toRect(box.rect)));
    }
}

TEST(KeypadLayout, TabIndicesAreDistinctAndFillTheKeypadRange) {
    std::set<int> used{kPanelTabIndex};
    for (const KeySpec& key : keypadKeys()) {
        EXPECT_TRUE(used.insert(key.tabIndex).second) << key.tabIndex;
    }
    for (const CaptionBoxSpec& box : captionBoxes()) {
        EXPECT_TRUE(used.insert(box.tabIndex).second) << box.tabIndex;
    }
    EXPECT_EQ(used.size(), 42u);
    EXPECT_EQ(*used.begin(), 12);
    EXPECT_EQ(*used.rbegin(), 53);
}

TEST(KeypadLayout, MemoryRowsRunXYZCKLeftToRight) {
    for (const char16_t* row : {u"GetVar", u"SetVar"}) {
        int previousLeft = 0;
        for (const char16_t* name : {u"x", u"y", u"z", u"c", u"k"}) {
            const auto keys = keypadKeys();
            const auto it = std::find_if(keys.begin(), keys.end(), [&](const KeySpec& key) {
                return key.objectName == QStringView(row) && key.caption == QStringView(name);
            });
            ASSERT_NE(it, keys.end());
            EXPECT_GT(it->rect.left, previousLeft);
            previousLeft = it->rect.left;
        }
    }
}

} // namespace
} // namespace quorvix::keypad
