#include "../table_rows.h"
#include "readme_text.h"

#include <gtest/gtest.h>

namespace quorvix::help {
namespace {

using testing_rows::PrintTo;

struct ReadmeCase {
    const char* name;
    QByteArray bytes;
    QString expected;
};

class ReadmeTextTest : public testing::TestWithParam<ReadmeCase> {};

TEST_P(ReadmeTextTest, EveryLineEndsWithCrLf) {
    const ReadmeCase& c = GetParam();
    EXPECT_EQ(readmeText(c.bytes, c.bytes.size()), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ReadmeTextTest,
    testing::Values(ReadmeCase{"Empty", "", u""_qs},
                    ReadmeCase{"LastLineWithoutEnd", "one\r\ntwo", u"one\r\ntwo\r\n"_qs},
                    ReadmeCase{"CrLfLines", "one\r\ntwo\r\n", u"one\r\ntwo\r\n"_qs},
                    ReadmeCase{"CrOnlyLines", "one\rtwo\r", u"one\r\ntwo\r\n"_qs},
                    ReadmeCase{"LoneLfStaysInTheLine", "one\ntwo\r\n", u"one\ntwo\r\n"_qs},
                    ReadmeCase{"EmptyLinesKept", "\r\n\r\nx", u"\r\n\r\nx\r\n"_qs},
                    ReadmeCase{"CrCrLfIsTwoLines", "a\r\r\nb", u"a\r\n\r\nb\r\n"_qs},
                    ReadmeCase{"Utf8Decoded", "pi = \xcf\x80\r\n", u"pi = \u03c0\r\n"_qs},
                    ReadmeCase{"InvalidUtf8ReadAsLatin1", "caf\xe9\r\n", u"caf\u00e9\r\n"_qs},
                    ReadmeCase{"NulShownAsSymbol", QByteArray("a\0b", 3), u"a\u2400b\r\n"_qs}),
    testing_rows::RowName());

TEST(ReadmeLongLineTest, VeryLongLineIsShownInPieces) {
    const QByteArray line(2 * kLongLine + 5, 'a');
    const QString crLf = QStringLiteral("\r\n");
    const QString expected =
        QString(kLongLine, u'a') + crLf + QString(kLongLine, u'a') + crLf + QString(5, u'a') + crLf;
    EXPECT_EQ(readmeText(line, line.size()), expected);
}

TEST(ReadmeLongLineTest, PieceDoesNotSplitASurrogatePair) {
    // U+1D11E, four bytes in UTF-8, two UTF-16 units, straddling the piece boundary.
    const QByteArray line = QByteArray(kLongLine - 1, 'a') + "\xf0\x9d\x84\x9e" + "b";
    const QString text = readmeText(line, line.size());
    EXPECT_EQ(text, QString(kLongLine - 1, u'a') + u"\r\n\U0001D11Eb\r\n"_qs);
}

struct PartCase {
    const char* name;
    QByteArray part;  // what was loaded
    qint64 fileSize;  // the whole file's size
    QString expected; // before the closing note
};

class ReadmePartTest : public testing::TestWithParam<PartCase> {};

TEST_P(ReadmePartTest, ShowsWholeLinesAndSaysWhatIsLeftOut) {
    const PartCase& c = GetParam();
    const QString text = readmeText(c.part, c.fileSize);
    ASSERT_TRUE(text.startsWith(c.expected)) << text.toStdString();
    const QString note = text.sliced(c.expected.size());
    EXPECT_TRUE(note.contains(QStringLiteral("is not shown"))) << note.toStdString();
    EXPECT_TRUE(note.contains(QString::number(c.fileSize))) << note.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Parts, ReadmePartTest,
    testing::Values(PartCase{"CutAfterLastCr", "one\r\ntwo\r\nthr", 100, u"one\r\ntwo\r\n"_qs},
                    PartCase{"CutAfterLastLfWithoutCr", "one\ntwo\nthr", 100, u"one\ntwo\n\r\n"_qs},
                    PartCase{"SplitUtf8SequenceDropped", "ab\xcf", 100, u"ab\r\n"_qs},
                    PartCase{"WholeUtf8SequenceKept", "ab\xcf\x80", 100, u"ab\u03c0\r\n"_qs}),
    testing_rows::RowName());

} // namespace
} // namespace quorvix::help
