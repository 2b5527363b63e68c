// Read-mes of 50 MB whose lines end with CR or LF only or not at all, with invalid UTF-8 and NULs:
// the help window opens at once with the file's first part, in lines short enough to lay out,
// and says how much it left out.
#include "../table_rows.h"
#include "help_window.h"
#include "readme_text.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextBlock>
#include <gtest/gtest.h>

namespace quorvix::help {
namespace {

using testing_rows::PrintTo;

constexpr qsizetype kFiftyMegabytes = qsizetype(50) << 20;

struct ReadmeCase {
    const char* name;
    QByteArray line; // repeated to 50 MB
    QString firstLine;
};

class HugeReadmeTest : public testing::TestWithParam<ReadmeCase> {};

TEST_P(HugeReadmeTest, ShowsTheFirstPartInShortLinesAndSaysSo) {
    const ReadmeCase& c = GetParam();
    QTemporaryDir dir;
    {
        QFile file(QDir(dir.path()).filePath(QStringLiteral("Readme.txt")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        const QByteArray block = c.line.repeated(qsizetype(1 << 20) / c.line.size());
        while (file.size() < kFiftyMegabytes) {
            ASSERT_EQ(file.write(block), block.size());
        }
    }
    const qint64 size = QFileInfo(QDir(dir.path()).filePath(QStringLiteral("Readme.txt"))).size();
    HelpWindow help(dir.path(), [](const QUrl&) {});
    help.show();
    const QTextDocument* document = help.txtHelpFile->document();
    EXPECT_EQ(document->firstBlock().text().toStdString(), c.firstLine.toStdString());
    const QString text = help.txtHelpFile->toPlainText();
    EXPECT_LE(text.size(),
              HelpWindow::kMaxReadmeBytes + HelpWindow::kMaxReadmeBytes / kLongLine * 2 + 200);
    EXPECT_TRUE(text.endsWith(QStringLiteral("of its %1 bytes, is not shown.]\n").arg(size)))
        << text.right(100).toStdString();
    for (QTextBlock block = document->firstBlock(); block.isValid(); block = block.next()) {
        ASSERT_LE(block.length(), kLongLine + 1) << block.blockNumber();
    }
}

const ReadmeCase kLineEnds[] = {
    {"LfOnly", "line\n", u"line"_qs},
    {"CrOnlyWithNulAndLatin1", QByteArray("caf\xe9 \0 line\r", 12), u"caf\u00e9 \u2400 line"_qs},
    {"NoLineEnds", "0123456789abcdef", u"0123456789abcdef"_qs.repeated(256)},
    {"NulsOnly", QByteArray(16, '\0'), QString(kLongLine, QChar(0x2400))},
    {"InvalidUtf8NoLineEnds", "\xff\xfe\xc3(", u"\u00ff\u00fe\u00c3("_qs.repeated(kLongLine / 4)},
};

INSTANTIATE_TEST_SUITE_P(LineEnds, HugeReadmeTest, testing::ValuesIn(kLineEnds),
                         testing_rows::RowName());

} // namespace
} // namespace quorvix::help
