#include "window_fixture.h"

#include <QFile>
#include <QLineEdit>
#include <QStringList>

namespace quorvix::app {
namespace {

using testing_support::WindowTest;

// The example ledger (classes, a dictionary, regular expressions, With blocks; over 300 lines)
// typed into the input line after "!", one Shift+Enter line at a time, runs as one program; the
// inputs after it see what it defined.
class LongProgramTest : public WindowTest {};

TEST_F(LongProgramTest, RunsFromTheInputLine) {
    QFile file(QStringLiteral(QUORVIX_EXAMPLES_DIR "/ledger.vbs"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    ASSERT_GE(lines.size(), 300);

    MainWindow& main = open();
    main.Command->setFocus();
    main.Command->insertPlainText(u"!"_qs);
    for (const QString& line : lines) {
        main.Command->insertPlainText(line);
        QTest::keyClick(main.Command, Qt::Key_Return, Qt::ShiftModifier);
    }
    ASSERT_EQ(main.Command->text(), u"!"_qs + lines.join(u'\n') + u'\n');
    QTest::keyClick(main.Command, Qt::Key_Return);
    EXPECT_EQ(main.Ans->text(), QString()); // a statement that succeeds has no answer to show

    const std::pair<const char*, const char*> afterwards[] = {
        {"Report", "Salary=2500.00(in) Rent=-850.00(out) Groceries=-118.65(out) "
                   "Transport=-52.80(out) Refunds=12.35(in) Savings=-200.00(out) "
                   "Gifts=-30.00(out) | total 1260.90 | 10 bookings, 3 rejected, 0 closed"},
        {"Summary(\"groceries\")", "Groceries: 3 bookings, balance -118.65, largest -61.10"},
        {"Balance(\"food\") & \" \" & Balance(\"HOME\")", "-106.30 -1050.00"},
        {"TagCounts()", "work:1 home:2 food:4 weekly:2 travel:2 family:1"},
        {"Book.Item(2).Describe() & \"/\" & Book.Item(2).Memo",
         "2026-01-03 Groceries -45.20/Market stall"},
        {"!CloseGifts", "2026-01-03 Groceries -45.20/Market stall"}, // the box keeps the answer
        {"Report", "Salary=2500.00(in) Rent=-850.00(out) Groceries=-118.65(out) "
                   "Transport=-52.80(out) Refunds=12.35(in) Savings=-200.00(out) "
                   "| total 1290.90 | 9 bookings, 3 rejected, 1 closed"},
    };
    for (const auto& [input, answer] : afterwards) {
        main.Command->setText(QString::fromUtf8(input));
        QTest::keyClick(main.Command, Qt::Key_Return);
        EXPECT_EQ(main.Ans->text().toStdString(), answer) << input;
    }
}

} // namespace
} // namespace quorvix::app
