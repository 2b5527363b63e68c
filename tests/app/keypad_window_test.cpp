#include "keypad_button.h"
#include "window_fixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>

namespace quorvix::app {
namespace {

using testing_support::focusName;
using testing_support::WindowTest;

// The keypad shown (no settings file), the window active.
class KeypadWindowTest : public WindowTest {
protected:
    void SetUp() override { open(); }

    void setLine(const QString& text, qsizetype start, qsizetype length) {
        window().Command->setText(text);
        window().Command->setSelection(start, length);
    }
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

TEST_F(KeypadWindowTest, DigitPressInsertsOnceAndReturnsTheFocus) {
    setLine(u"12"_qs, 1, 0);
    QSignalSpy toggles(window().Number[7], &QAbstractButton::toggled);
    press(window().Number[7]);
    expectLine(u"172"_qs, 2, 0);
    // Pressed, then released: two notifications, one edit.
    EXPECT_EQ(toggles.count(), 2);
    expectReleasedWithInputFocus(window().Number[7]);
}

TEST_F(KeypadWindowTest, PressAfterEvaluationReplacesTheWholeLine) {
    setLine(u"1+1"_qs, 0, 0);
    window().EvaluateInput();
    press(window().SqrRoot);
    expectLine(u"^(0.5)"_qs, 6, 0);
}

TEST_F(KeypadWindowTest, InsertAtCursorOfTheWindow) {
    setLine(u"16"_qs, 2, 0);
    window().InsertAtCursor(u"^(0.5)");
    expectLine(u"16^(0.5)"_qs, 8, 0);
}

TEST_F(KeypadWindowTest, DecimalPointMovesTheCursorToTheEnd) {
    setLine(u"12+3"_qs, 1, 0);
    press(window().DPoint);
    expectLine(u"1.2+3"_qs, 5, 0);
    expectReleasedWithInputFocus(window().DPoint);
}

TEST_F(KeypadWindowTest, SignToggleWorksOnTheEndWhateverTheCursor) {
    setLine(u"12+34"_qs, 0, 2);
    press(window().PosNeg);
    expectLine(u"12+(-34)"_qs, 8, 0);
    press(window().PosNeg);
    expectLine(u"12+34"_qs, 5, 0);
    expectReleasedWithInputFocus(window().PosNeg);
}

TEST_F(KeypadWindowTest, BackspaceAndExponentKeepTheCursorWhereTheEditLeftIt) {
    setLine(u"123"_qs, 2, 0);
    press(window().Backspace);
    expectLine(u"13"_qs, 1, 0);
    press(window().Exp);
    expectLine(u"1E3"_qs, 2, 0);
    expectReleasedWithInputFocus(window().Exp);
}

TEST_F(KeypadWindowTest, EqualsEvaluatesAndSelectsTheWholeLine) {
    setLine(u"2+3"_qs, 3, 0);
    press(window().Equals);
    EXPECT_EQ(window().Ans->text(), u"5");
    expectLine(u"2+3"_qs, 0, 3);
    expectReleasedWithInputFocus(window().Equals);
}

TEST_F(KeypadWindowTest, ClearBeforeAnyEvaluationHasTheFirstRunsEffects) {
    setLine(u"99"_qs, 1, 0);
    press(window().C);
    expectLine(QString(), 0, 0);
    EXPECT_FALSE(window().FunctionTypeLabel->isEnabled());
    EXPECT_FALSE(window().VBScript->isEnabled());
    EXPECT_FALSE(window().JavaScript->isEnabled());
    expectReleasedWithInputFocus(window().C);
}

TEST_F(KeypadWindowTest, StoreRecallAndEvaluate) {
    setLine(u"5"_qs, 1, 0);
    window().Ans->setText(u"before"_qs);
    press(window().SetVar[0]); // x
    expectLine(u"!x=5"_qs, 0, 4);
    EXPECT_EQ(window().Ans->text(), u"before"); // a statement leaves the output box
    expectReleasedWithInputFocus(window().SetVar[0]);

    press(window().GetVar[0]);
    expectLine(u"x"_qs, 1, 0);
    expectReleasedWithInputFocus(window().GetVar[0]);
    press(window().Equals);
    EXPECT_EQ(window().Ans->text(), u"5");
}

TEST_F(KeypadWindowTest, StoringRightAfterStoringFailsAndKeepsTheMemory) {
    setLine(u"7"_qs, 1, 0);
    press(window().SetVar[1]); // y = 7
    setLine(u"5"_qs, 1, 0);
    press(window().SetVar[0]); // x = 5, the line reads "!x=5", all selected
    press(window().SetVar[1]); // "!y=!x=5"
    expectLine(u"!y=!x=5"_qs, 0, 7);
    const QString error = window().Ans->text();
    EXPECT_FALSE(error.isEmpty());
    EXPECT_NE(error, u"5");

    setLine(u"y"_qs, 1, 0);
    press(window().Equals);
    EXPECT_EQ(window().Ans->text(), u"7");
}

TEST_F(KeypadWindowTest, SpaceOnAFocusedKeypadButtonPressesIt) {
    setLine(u"4"_qs, 1, 0);
    window().Add->setFocus();
    QTest::keyClick(window().Add, Qt::Key_Space);
    expectLine(u"4+"_qs, 2, 0);
    expectReleasedWithInputFocus(window().Add);
}

TEST_F(KeypadWindowTest, ReleasedNotificationAloneChangesNothing) {
    setLine(u"12"_qs, 1, 0);
    window().Ans->setFocus();
    window().Number[3]->setChecked(false); // already released: no toggle at all
    emit window().Number[3]->toggled(false);
    expectLine(u"12"_qs, 1, 0);
    EXPECT_EQ(focusName(), u"Ans");
}

} // namespace
} // namespace quorvix::app
