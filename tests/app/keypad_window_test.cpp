#include "../table_rows.h"
#include "keypad_button.h"
#include "window_fixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace quorvix::app {
namespace {

using testing_rows::PrintTo;

using testing_support::focusName;
using testing_support::WindowTest;

// The keypad shown (no settings file), the window active.
class KeypadWindowTest : public WindowTest {
protected:
    void SetUp() override { open(); }

    void press(keypad::KeypadButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    void expectLine(const QString& text, qsizetype start, qsizetype length) {
        EXPECT_EQ(window().Command->text(), text);
        EXPECT_EQ(window().Command->selStart(), start);
        EXPECT_EQ(window().Command->selLength(), length);
    }
    void expectReleasedWithInputFocus(keypad::KeypadButton* button) {
        EXPECT_FALSE(button->isChecked());
        EXPECT_EQ(focusName(), u"Command");
    }
};

// One press on a line with "before" in the output box: the line afterwards, and whether the
// press evaluated (the output box and the language options show it). One row per order of
// steps; the keypad's own tables hold each key's edit.
struct PressCase {
    const char* name;
    const char* button;
    int index; // member of an array, else 0
    const char* text;
    qsizetype start, length;
    const char* expected;
    qsizetype expectedStart, expectedLength;
    const char16_t* answer;
    bool evaluates;
    bool bySpace = false; // Space on the focused button instead of a click
};

class KeypadPressTest : public KeypadWindowTest, public testing::WithParamInterface<PressCase> {};

TEST_P(KeypadPressTest, EditsTheLineAndReturnsTheFocus) {
    const PressCase& row = GetParam();
    setLine(QString::fromUtf8(row.text), row.start, row.length);
    window().Ans->setText(u"before"_qs);
    keypad::KeypadButton* button = nullptr;
    for (auto* b : window().findChildren<keypad::KeypadButton*>(QString::fromLatin1(row.button))) {
        button = b->property("index").toInt() == row.index ? b : button;
    }
    ASSERT_NE(button, nullptr);
    if (row.bySpace) {
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Space);
    } else {
        press(button);
    }
    expectLine(QString::fromUtf8(row.expected), row.expectedStart, row.expectedLength);
    EXPECT_EQ(window().Ans->text(), QString::fromUtf16(row.answer));
    EXPECT_EQ(window().FunctionTypeLabel->isEnabled(), !row.evaluates);
    EXPECT_EQ(window().VBScript->isEnabled(), !row.evaluates);
    EXPECT_EQ(window().JavaScript->isEnabled(), !row.evaluates);
    expectReleasedWithInputFocus(button);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeypadPressTest,
    testing::Values(
        PressCase{"Digit", "Number", 7, "12", 1, 0, "172", 2, 0, u"before", false},
        PressCase{"SignWorksOnTheEnd", "PosNeg", 0, "12+34", 0, 2, "12+(-34)", 8, 0, u"before",
                  false},
        PressCase{"EqualsSelectsTheLine", "Equals", 0, "2+3", 3, 0, "2+3", 0, 3, u"5", true},
        PressCase{"ClearRunsTheFirstEvaluation", "C", 0, "99", 1, 0, "", 0, 0, u"", true},
        PressCase{"StoreLeavesTheOutputBox", "SetVar", 1, "5", 1, 0, "!x=5", 0, 4, u"before", true},
        PressCase{"SpaceOnAFocusedButton", "Add", 0, "4", 1, 0, "4+", 2, 0, u"before", false,
                  true}),
    testing_rows::RowName());

} // namespace
} // namespace quorvix::app
