#include "key_table.h"
#include "keypad_button.h"
#include "main_window_controls.h"
#include "twips.h"
#include "window_fixture.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace quorvix::app {
namespace {

using testing_support::WindowTest;

class MainWindowLayoutTest : public WindowTest {
protected:
    void SetUp() override { writeIni("lang=0\r\npad=0\r\n"); }
};

QString captionOf(QWidget* widget) {
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        return label->text();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        return button->text();
    }
    if (auto* box = qobject_cast<QLineEdit*>(widget)) {
        return box->text();
    }
    if (auto* box = qobject_cast<CommandBox*>(widget)) {
        return box->text();
    }
    return {};
}

TEST_F(MainWindowLayoutTest, WindowNameCaptionAndDesignSize) {
    MainWindow& main = create();
    EXPECT_EQ(main.objectName(), u"Main");
    EXPECT_EQ(main.windowTitle(), u"Quorvix");
    EXPECT_EQ(main.width(), 329);
    EXPECT_EQ(main.height(), 237);
}

TEST_F(MainWindowLayoutTest, LeftPartControlsFollowTheTable) {
    MainWindow& main = create();
    for (const ControlRow& row : mainWindowControls()) {
        SCOPED_TRACE(row.name);
        auto* widget = main.findChild<QWidget*>(QString::fromLatin1(row.name));
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->parentWidget(), &main);
        EXPECT_EQ(widget->geometry(), toPixels(row.rect));
        EXPECT_EQ(captionOf(widget), row.caption.toString());
    }
}

TEST_F(MainWindowLayoutTest, FontsAndColoursOfTheBoxes) {
    MainWindow& main = create();
    EXPECT_EQ(main.Command->font().family(), u"Fixedsys");
    EXPECT_EQ(main.Command->font().pointSize(), 9);
    EXPECT_FALSE(main.Command->font().bold());
    EXPECT_EQ(main.Command->palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_EQ(main.Command->palette().color(QPalette::Base), QColor(0, 0, 0));
    EXPECT_EQ(main.Ans->font().family(), u"Fixedsys");
    EXPECT_TRUE(main.Ans->font().bold());
    EXPECT_EQ(main.Ans->palette().color(QPalette::Text), QColor(0, 255, 0));
    EXPECT_EQ(main.Ans->palette().color(QPalette::Base), QColor(0, 0, 0));
    EXPECT_EQ(main.InputLabel->font().pointSizeF(), 8.25);
    EXPECT_TRUE(main.InputLabel->font().bold());
}

TEST_F(MainWindowLayoutTest, InputLineIsCentredWrappingAndMultiLine) {
    MainWindow& main = create();
    const QTextOption option = main.Command->document()->defaultTextOption();
    EXPECT_EQ(option.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(main.Command->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_TRUE(main.Command->tabChangesFocus());
    EXPECT_FALSE(main.Command->isReadOnly());
}

TEST_F(MainWindowLayoutTest, OutputBoxIsCentredEditableAndUnlimited) {
    MainWindow& main = create();
    EXPECT_EQ(main.Ans->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_FALSE(main.Ans->isReadOnly());
    const QString longAnswer(40000, u'7');
    main.Ans->setText(longAnswer);
    EXPECT_EQ(main.Ans->text(), longAnswer);
}

TEST_F(MainWindowLayoutTest, LabelsLeadToTheNextControl) {
    MainWindow& main = create();
    EXPECT_EQ(main.InputLabel->buddy(), main.Command);
    EXPECT_EQ(main.AnsLabel->buddy(), main.Ans);
    EXPECT_EQ(main.FunctionTypeLabel->buddy(), main.VBScript);
    EXPECT_EQ(main.FunctionTypeLabel->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
}

TEST_F(MainWindowLayoutTest, KeypadButtonsFollowTheKeyTable) {
    MainWindow& main = create();
    const auto buttons = main.findChildren<keypad::KeypadButton*>();
    ASSERT_EQ(std::size_t(buttons.size()), keypad::keypadKeys().size());
    for (const keypad::KeypadKey& key : keypad::keypadKeys()) {
        SCOPED_TRACE(key.objectName.toString().toStdString() + " " + std::to_string(key.index));
        const auto match = std::find_if(buttons.begin(), buttons.end(), [&](QWidget* b) {
            return b->objectName() == key.objectName &&
                   b->property("index").toInt() == (key.index >= 0 ? key.index : 0);
        });
        ASSERT_NE(match, buttons.end());
        auto* button = *match;
        EXPECT_EQ(button->geometry(), toPixels(key.rect));
        EXPECT_EQ(button->text(), key.caption.toString());
        EXPECT_EQ(button->font().family(), u"Times New Roman");
        EXPECT_TRUE(button->font().bold());
        EXPECT_EQ(button->font().pointSizeF(), key.pointSize);
        EXPECT_EQ(button->palette().color(QPalette::Button), QColor::fromRgb(key.background));
        EXPECT_EQ(button->palette().color(QPalette::ButtonText), QColor(Qt::white));
    }
}

TEST_F(MainWindowLayoutTest, ArraysAreIndexedByTheirMembers) {
    MainWindow& main = create();
    for (int k = 0; k < 10; ++k) {
        EXPECT_EQ(main.Number.at(std::size_t(k))->text(), QString::number(k));
    }
    const QStringList names{u"x"_qs, u"y"_qs, u"z"_qs, u"c"_qs, u"k"_qs};
    for (int n = 1; n <= 5; ++n) {
        EXPECT_EQ(main.GetVar.at(std::size_t(n - 1))->text(), names.at(n - 1));
        EXPECT_EQ(main.SetVar.at(std::size_t(n - 1))->text(), names.at(n - 1));
        EXPECT_LT(main.GetVar.at(std::size_t(n - 1))->y(), main.SetVar.at(std::size_t(n - 1))->y());
    }
}

TEST_F(MainWindowLayoutTest, KeypadPanelAndCaptionBoxes) {
    MainWindow& main = open();
    EXPECT_EQ(main.KeypadFrame->geometry(), QRect(336, 0, 197, 237));
    EXPECT_EQ(main.KeypadFrame->palette().color(QPalette::Window), QColor(48, 48, 48));
    EXPECT_EQ(main.GetLabel->text(), u"Get:");
    EXPECT_EQ(main.SetLabel->text(), u"Set:");
    EXPECT_TRUE(main.GetLabel->isReadOnly());
    EXPECT_FALSE(main.GetLabel->focusPolicy() & Qt::TabFocus);
    EXPECT_EQ(main.GetLabel->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    // Everything of the keypad lies right of the narrow window's edge.
    for (auto* button : main.findChildren<keypad::KeypadButton*>()) {
        EXPECT_GE(button->x(), 329) << button->objectName().toStdString();
    }
    // The panel lies under the keypad buttons.
    main.toggleKeypad();
    EXPECT_EQ(main.childAt(main.Equals->geometry().center()), main.Equals);
}

TEST_F(MainWindowLayoutTest, TabSkipsTheKeypadOutOfView) {
    MainWindow& main = open();
    main.Keypad->setFocus();
    QTest::keyClick(main.Keypad, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), main.CopyInput);
}

TEST_F(MainWindowLayoutTest, TabWalksTheControlsInTabIndexOrder) {
    MainWindow& main = open();
    main.toggleKeypad();
    const QStringList expected{u"Command"_qs, u"OK"_qs,         u"Ans"_qs,    u"VBScript"_qs,
                               u"Close"_qs,   u"HelpButton"_qs, u"Keypad"_qs, u"Number"_qs /* 0 */};
    main.Command->setFocus();
    QStringList walked{testing_support::focusName()};
    for (int i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked << testing_support::focusName();
    }
    EXPECT_EQ(walked, expected);
    EXPECT_EQ(QApplication::focusWidget(), main.Number[0]);
    // The keypad buttons (12 to 50), then the copy buttons (54, 55).
    int presses = 0;
    while (QApplication::focusWidget() != main.CopyInput && presses < 60) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ++presses;
    }
    EXPECT_EQ(presses, int(keypad::keypadKeys().size()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), main.CopyOutput);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), main.Command);
}

} // namespace
} // namespace quorvix::app
