#include "keypad_button.h"

#include <QAccessible>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace quorvix::keypad {
namespace {

// A window with an input line and one keypad button, as the main window arranges them.
class KeypadButtonTest : public testing::Test {
protected:
    KeypadButtonTest() {
        auto* layout = new QHBoxLayout(&window);
        layout->addWidget(line);
        layout->addWidget(button);
        QObject::connect(button, &KeypadButton::activated, [this] {
            ++actions;
            checkedWhileActing = button->isChecked();
        });
    }

    void showActive() {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    QWidget window;
    QPlainTextEdit* line = new QPlainTextEdit("12+34");
    KeypadButton* button = new KeypadButton("7");
    QSignalSpy toggles{button, &QAbstractButton::toggled};
    int actions = 0;
    bool checkedWhileActing = false;
};

// A click, then Space while focused: each acts once, pressed (the second toggle notification
// comes with the release) and ending released. A release by the program alone does not act.
TEST_F(KeypadButtonTest, ClickOrSpaceActsOnceAndEndsReleased) {
    button->release();
    EXPECT_EQ(actions, 0);
    showActive();
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(actions, 1);
    EXPECT_TRUE(checkedWhileActing);
    EXPECT_EQ(toggles.count(), 2);
    EXPECT_FALSE(button->isChecked());
    button->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(button->hasFocus());
    QTest::keyClick(button, Qt::Key_Space);
    EXPECT_EQ(actions, 2);
    EXPECT_EQ(toggles.count(), 4);
    EXPECT_FALSE(button->isChecked());
}

TEST_F(KeypadButtonTest, ReleaseInsideTheHandlerDoesNotActAgain) {
    bool releasedBeforeFocus = false;
    QObject::connect(button, &KeypadButton::activated, [this, &releasedBeforeFocus] {
        button->release();
        releasedBeforeFocus = !button->isChecked();
        line->setFocus();
    });
    showActive();
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(actions, 1);
    EXPECT_TRUE(releasedBeforeFocus);
    EXPECT_EQ(toggles.count(), 2);
    EXPECT_FALSE(button->isChecked());
}

TEST_F(KeypadButtonTest, ClickLeavesInputLineFocusAndSelection) {
    showActive();
    line->setFocus();
    QTextCursor cursor = line->textCursor();
    cursor.setPosition(1);
    cursor.setPosition(3, QTextCursor::KeepAnchor);
    line->setTextCursor(cursor);

    QTest::mouseClick(button, Qt::LeftButton);

    EXPECT_EQ(actions, 1);
    EXPECT_TRUE(line->hasFocus());
    EXPECT_EQ(line->textCursor().selectionStart(), 1);
    EXPECT_EQ(line->textCursor().selectionEnd(), 3);
}

// A screen reader calls a key by the name it was given, else by its caption, and can press it.
TEST_F(KeypadButtonTest, SpokenByItsNameElseItsCaptionAndPressable) {
    QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(button);
    ASSERT_NE(spoken, nullptr);
    EXPECT_EQ(spoken->text(QAccessible::Name), u"7");
    button->setAccessibleName(u"seven"_qs);
    EXPECT_EQ(spoken->text(QAccessible::Name), u"seven");
    spoken->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(actions, 1);
}

} // namespace
} // namespace quorvix::keypad
