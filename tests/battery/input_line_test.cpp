// The input line and the output box given what a paste can bring: a megabyte of text without
// a blank, invalid UTF-8 and NUL characters, 100,000 sign groups. The text stays whole, the
// window answers, and the box lays the text out in time that grows with its length only.
#include "keypad_button.h"
#include "window_fixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>

namespace quorvix::app {
namespace {

using testing_support::WindowTest;

class InputLineTest : public WindowTest {
protected:
    void paste(const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        window().inputLine()->paste();
    }
};

// "1+1+...+1" of at least `size` characters: one word of that length to the line breaker.
QString sumOfOnes(qsizetype size) {
    return QStringLiteral("1") + QStringLiteral("+1").repeated(size / 2);
}

constexpr qsizetype kMegabyte = qsizetype(1) << 20;

// A megabyte in: pasted whole and evaluated; a megabyte out: shown whole and kept in Ans.
TEST_F(InputLineTest, MegabyteInputAndAnswerAreKeptWhole) {
    MainWindow& main = open();
    const QString input = sumOfOnes(kMegabyte);
    paste(input);
    EXPECT_EQ(main.inputLine()->text(), input);
    main.EvaluateInput();
    EXPECT_EQ(main.outputBox()->text(), QString::number(kMegabyte / 2 + 1));
    EXPECT_EQ(main.inputLine()->text(), input);
    EXPECT_EQ(main.inputLine()->selLength(), input.size());
    // Word wrapping would take over a minute to lay out one word of a megabyte.
    EXPECT_EQ(main.inputLine()->wordWrapMode(), QTextOption::WrapAnywhere);
    evaluate(QStringLiteral("String(1048576, \"7\")"));
    EXPECT_EQ(main.outputBox()->text(), QString(kMegabyte, u'7'));
    evaluate(QStringLiteral("Len(Ans)"));
    EXPECT_EQ(main.outputBox()->text(), QString::number(kMegabyte));
}

TEST_F(InputLineTest, InvalidUtf8AndNulArePastedAndAnsweredWithAMessage) {
    MainWindow& main = open();
    evaluate(QStringLiteral("6*7"));
    ASSERT_EQ(main.outputBox()->text(), u"42");
    const QByteArray bytes("1+\xff\xfe\0"
                           "2\xc3(",
                           8);
    auto* mime = new QMimeData;
    mime->setData(QStringLiteral("text/plain"), bytes);
    QGuiApplication::clipboard()->setMimeData(mime);
    main.inputLine()->setText(QString());
    main.inputLine()->paste();
    const QString pasted = main.inputLine()->text();
    EXPECT_TRUE(pasted.startsWith(u"1+")) << pasted.toStdString();
    EXPECT_TRUE(pasted.contains(QChar(0))) << pasted.toStdString();
    main.EvaluateInput();
    EXPECT_EQ(main.outputBox()->text(), u"Invalid character");
    EXPECT_EQ(main.inputLine()->text(), pasted);
    // The last answer is kept.
    evaluate(QStringLiteral("Ans"));
    EXPECT_EQ(main.outputBox()->text(), u"42");
}

// A paste that would make the input line longer than it may be inserts nothing and says why,
// from the menu or the keyboard; the clipboard keeps it, and the same text replacing the
// selection goes in.
TEST_F(InputLineTest, OverlongPasteIsRefusedAndNothingIsLost) {
    MainWindow& main = open();
    setLine(u"1+2"_qs, 3);
    const QString huge = sumOfOnes(10 * kMegabyte);
    paste(huge);
    EXPECT_EQ(main.inputLine()->text(), u"1+2");
    EXPECT_EQ(main.outputBox()->text(), u"Too long to paste: 10485764 characters; the input line "
                                        u"takes at most 2000000");
    EXPECT_EQ(QGuiApplication::clipboard()->text().size(), huge.size());
    QGuiApplication::clipboard()->setText(QString(CommandBox::kMaxPastedLength - 2, u'7'));
    QTest::keySequence(main.inputLine(), QKeySequence::Paste);
    EXPECT_EQ(main.inputLine()->text(), u"1+2");
    EXPECT_EQ(main.outputBox()->text(), u"Too long to paste: 2000001 characters; the input line "
                                        u"takes at most 2000000");
    setLine(u"1+2"_qs, 0, 1);
    QTest::keySequence(main.inputLine(), QKeySequence::Paste);
    EXPECT_EQ(main.inputLine()->text().size(), CommandBox::kMaxPastedLength);
}

// An answer too long to show is copied whole, whatever part of the box is selected, until the
// box is edited; once a new answer is shown, that is what Copy Output copies.
TEST_F(InputLineTest, TenMegabyteAnswerIsNotLaidOutButCopiedWhole) {
    MainWindow& main = open();
    evaluate(QStringLiteral("String(10000000, \"7\")"));
    EXPECT_EQ(main.outputBox()->text(), u"The answer has 10000000 characters, too many to show; "
                                        u"Copy Output copies it, and Ans holds it");
    main.outputBox()->setSelection(0, 1);
    click(u"CopyOutput");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString(10000000, u'7'));
    main.outputBox()->setFocus();
    main.outputBox()->selectAll();
    QTest::keyClicks(main.outputBox(), u"42"_qs);
    main.outputBox()->setSelection(0, 1);
    click(u"CopyOutput");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"42");
    // Copy Output has the focus now, so the line is evaluated directly.
    main.inputLine()->setText(QStringLiteral("Len(Ans)"));
    main.EvaluateInput();
    EXPECT_EQ(main.outputBox()->text(), u"10000000");
    click(u"CopyOutput");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"10000000");
}

TEST_F(InputLineTest, SignKeyOnAHundredThousandOpenGroups) {
    MainWindow& main = open();
    // A first start: the keypad shows.
    const QString groups = QStringLiteral("(-").repeated(100000);
    main.inputLine()->setText(groups);
    QTest::mouseClick(main.keypadKey(u"PosNeg"), Qt::LeftButton);
    EXPECT_EQ(main.inputLine()->text(), QStringLiteral("(-").repeated(99999));
    QTest::mouseClick(main.keypadKey(u"PosNeg"), Qt::LeftButton);
    EXPECT_EQ(main.inputLine()->text(), QStringLiteral("(-").repeated(99998));
    // Too deep to parse: a clear message, and the line is kept.
    const QString nested = groups + u'5' + QString(100000, u')');
    evaluate(nested);
    EXPECT_EQ(main.outputBox()->text(), u"Out of stack space");
    EXPECT_EQ(main.inputLine()->text(), nested);
}

} // namespace
} // namespace quorvix::app
