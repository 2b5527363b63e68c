#include "keypad_button.h"
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

TEST_F(MainWindowLayoutTest, WindowAndBoxesLookAndBehaveAsDesigned) {
    MainWindow& main = create();
    EXPECT_EQ(main.objectName(), u"Main");
    EXPECT_EQ(main.windowTitle(), u"Quorvix");
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
    // The input line: centred, wrapping, several lines, Tab leaves it.
    const QTextOption option = main.Command->document()->defaultTextOption();
    EXPECT_EQ(option.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(main.Command->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_TRUE(main.Command->tabChangesFocus());
    EXPECT_FALSE(main.Command->isReadOnly());
    // The output box: centred, editable, without a length limit.
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

// A sample of controls at their design places (twips / 15, as pixels), with the keypad keys'
// look: white bold serif text on their row's colour, drawn flat.
struct PlaceCase {
    const char* name;
    int index; // member of an array, else 0
    const char16_t* caption;
    QRect rect;
    QRgb background; // keypad keys only
    double pointSize;
};

const PlaceCase kPlaces[] = {
    {"InputLabel", 0, u"&Input:", {4, 8, 321, 13}, 0, 0},
    {"Command", 0, u"", {8, 40, 313, 39}, 0, 0},
    {"OK", 0, u"&OK", {136, 84, 57, 25}, 0, 0},
    {"Ans", 0, u"", {8, 136, 313, 23}, 0, 0},
    {"FunctionTypeLabel", 0, u"Function &Type:", {44, 172, 89, 13}, 0, 0},
    {"JavaScript", 0, u"&JavaScript", {208, 172, 73, 13}, 0, 0},
    {"Keypad", 0, u"<< &Keypad", {220, 200, 97, 29}, 0, 0},
    {"CopyOutput", 0, u"Co&py Output to Clipboard", {236, 88, 85, 37}, 0, 0},
    {"GetLabel", 0, u"Get:", {336, 188, 29, 15}, 0, 0},
    {"Backspace", 0, u"<--", {360, 2, 75, 19}, qRgb(255, 64, 64), 12},
    {"PiRSquared", 0, u"\u03c0a\u00b2", {474, 24, 37, 19}, qRgb(96, 96, 96), 11.25},
    {"Number", 7, u"7", {366, 66, 27, 27}, qRgb(64, 64, 64), 12},
    {"PosNeg", 0, u"+/\u2013", {422, 150, 27, 27}, qRgb(64, 64, 64), 11.25},
    {"Equals", 0, u"=", {450, 150, 55, 27}, qRgb(64, 64, 64), 12},
    {"GetVar", 5, u"k", {478, 180, 27, 27}, qRgb(0, 128, 128), 12},
    {"SetVar", 1, u"x", {366, 208, 27, 27}, qRgb(0, 0, 128), 12},
};

TEST_F(MainWindowLayoutTest, ControlsStandAtTheirDesignPlaces) {
    MainWindow& main = open();
    main.toggleKeypad();
    const QImage image = main.grab().toImage();
    for (const PlaceCase& row : kPlaces) {
        SCOPED_TRACE(std::string(row.name) + " " + std::to_string(row.index));
        QWidget* widget = nullptr;
        for (auto* w : main.findChildren<QWidget*>(QString::fromLatin1(row.name))) {
            widget = w->property("index").toInt() == row.index ? w : widget;
        }
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->parentWidget(), &main);
        EXPECT_EQ(widget->geometry(), row.rect);
        EXPECT_EQ(captionOf(widget), QString::fromUtf16(row.caption));
        if (row.background == 0) {
            continue;
        }
        EXPECT_EQ(widget->font().family(), u"Liberation Serif");
        EXPECT_TRUE(widget->font().bold());
        // Stepped down only where the caption would not fit.
        EXPECT_LE(widget->font().pointSizeF(), row.pointSize);
        EXPECT_GE(widget->font().pointSizeF(), row.pointSize - 2);
        EXPECT_EQ(widget->palette().color(QPalette::ButtonText), QColor(Qt::white));
        // Corners, away from the centred caption.
        const QRect inside = row.rect.adjusted(3, 3, -3, -3);
        for (const QPoint corner : {inside.topLeft(), inside.bottomRight()}) {
            EXPECT_EQ(QColor(image.pixel(corner * image.devicePixelRatio())),
                      QColor::fromRgb(row.background));
        }
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
    // The 39 keypad buttons (12 to 50), then the copy buttons (54, 55).
    int presses = 0;
    while (QApplication::focusWidget() != main.CopyInput && presses < 60) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ++presses;
    }
    EXPECT_EQ(presses, 39);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), main.CopyOutput);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), main.Command);
}

} // namespace
} // namespace quorvix::app
