#include "key_table.h"
#include "keypad_button.h"
#include "main_window_controls.h"
#include "twips.h"
#include "window_fixture.h"
#include "wrapping_push_button.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>

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
    EXPECT_EQ(main.Command->font().family(), u"Liberation Mono");
    EXPECT_EQ(main.Command->font().pointSize(), 9);
    EXPECT_FALSE(main.Command->font().bold());
    EXPECT_EQ(main.Command->palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_EQ(main.Command->palette().color(QPalette::Base), QColor(0, 0, 0));
    EXPECT_EQ(main.Ans->font().family(), u"Liberation Mono");
    EXPECT_TRUE(main.Ans->font().bold());
    EXPECT_EQ(main.Ans->palette().color(QPalette::Text), QColor(0, 255, 0));
    EXPECT_EQ(main.Ans->palette().color(QPalette::Base), QColor(0, 0, 0));
    EXPECT_EQ(main.InputLabel->font().family(), u"Liberation Sans");
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

keypad::KeypadButton* buttonOf(const MainWindow& main, const keypad::KeypadKey& key) {
    for (auto* button : main.findChildren<keypad::KeypadButton*>()) {
        if (button->objectName() == key.objectName &&
            button->property("index").toInt() == (key.index >= 0 ? key.index : 0)) {
            return button;
        }
    }
    return nullptr;
}

// The rectangle a control's style lays its caption in.
QRect captionRoom(QWidget* widget) {
    if (auto* wrap = qobject_cast<WrappingPushButton*>(widget)) {
        return wrap->captionRect();
    }
    QStyleOptionButton button;
    button.initFrom(widget);
    if (qobject_cast<QRadioButton*>(widget)) {
        return widget->style()->subElementRect(QStyle::SE_RadioButtonContents, &button, widget);
    }
    if (qobject_cast<QPushButton*>(widget)) {
        return widget->style()->subElementRect(QStyle::SE_PushButtonContents, &button, widget);
    }
    if (qobject_cast<QLineEdit*>(widget)) {
        QStyleOptionFrame frame;
        frame.initFrom(widget);
        return widget->style()->subElementRect(QStyle::SE_LineEditContents, &frame, widget);
    }
    return widget->contentsRect();
}

void expectCaptionFits(QWidget* widget, const QString& caption) {
    const QRect room = captionRoom(widget);
    const int flags =
        Qt::TextShowMnemonic |
        (qobject_cast<WrappingPushButton*>(widget) ? WrappingPushButton::kTextFlags : 0);
    const QRect needed = widget->fontMetrics().boundingRect(room, flags, caption);
    EXPECT_LE(needed.width(), room.width())
        << widget->objectName().toStdString() << " \"" << caption.toStdString() << "\"";
    EXPECT_LE(needed.height(), widget->height()) << widget->objectName().toStdString();
}

TEST_F(MainWindowLayoutTest, EveryCaptionFitsItsControl) {
    MainWindow& main = create();
    for (auto* label : main.findChildren<QLabel*>()) {
        expectCaptionFits(label, label->text());
    }
    for (auto* button : main.findChildren<QAbstractButton*>()) {
        expectCaptionFits(button, button->text());
    }
    expectCaptionFits(main.GetLabel, main.GetLabel->text());
    expectCaptionFits(main.SetLabel, main.SetLabel->text());
    // The Keypad button's other captions.
    main.toggleKeypad();
    expectCaptionFits(main.Keypad, main.Keypad->text());
    main.JavaScript->click();
    expectCaptionFits(main.Keypad, main.Keypad->text());
}

TEST_F(MainWindowLayoutTest, KeysAreDrawnFlatInTheirColours) {
    MainWindow& main = open();
    main.toggleKeypad();
    const QImage image = main.grab().toImage();
    for (const keypad::KeypadKey& key : keypad::keypadKeys()) {
        const QWidget* button = buttonOf(main, key);
        ASSERT_NE(button, nullptr);
        // Corners, away from the centred caption.
        const QRect inside = button->geometry().adjusted(3, 3, -3, -3);
        for (const QPoint corner : {inside.topLeft(), inside.bottomRight()}) {
            const QPoint pixel = corner * image.devicePixelRatio();
            EXPECT_EQ(QColor(image.pixel(pixel)), QColor::fromRgb(key.background))
                << button->objectName().toStdString() << " " << key.index;
        }
    }
}

TEST_F(MainWindowLayoutTest, KeypadButtonsFollowTheKeyTable) {
    MainWindow& main = create();
    ASSERT_EQ(std::size_t(main.findChildren<keypad::KeypadButton*>().size()),
              keypad::keypadKeys().size());
    for (const keypad::KeypadKey& key : keypad::keypadKeys()) {
        SCOPED_TRACE(key.objectName.toString().toStdString() + " " + std::to_string(key.index));
        auto* button = buttonOf(main, key);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->geometry(), toPixels(key.rect));
        EXPECT_EQ(button->text(), key.caption.toString());
        EXPECT_EQ(button->font().family(), u"Liberation Serif");
        EXPECT_TRUE(button->font().bold());
        // Stepped down only where the caption would not fit.
        EXPECT_LE(button->font().pointSizeF(), key.pointSize);
        EXPECT_GE(button->font().pointSizeF(), key.pointSize - 2);
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
