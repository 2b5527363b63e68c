#include "../table_rows.h"
#include "clickable_label.h"
#include "file_helpers.h"
#include "help_window.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace quorvix::help {
namespace {

using testing_rows::PrintTo;

class HelpWindowTest : public testing::Test {
protected:
    QString readmePath() const { return m_dir.filePath(QStringLiteral("Readme.txt")); }
    void writeReadme(const QByteArray& bytes) const {
        app::testing_support::writeFile(readmePath(), bytes);
    }
    HelpWindow& create() {
        m_window = std::make_unique<HelpWindow>(
            m_dir.path(), [this](const QUrl& url) { m_opened.push_back(url); });
        return *m_window;
    }

    QTemporaryDir m_dir;
    std::vector<QUrl> m_opened;
    std::unique_ptr<HelpWindow> m_window;
};

TEST_F(HelpWindowTest, CaptionPlacementDesignSizeAndCursors) {
    HelpWindow& help = create();
    EXPECT_EQ(help.windowTitle(), u"Quorvix Help");
    EXPECT_EQ(help.geometry(), QRect(37, 36, 865, 621));
    // A crosshair everywhere except over the text.
    EXPECT_EQ(help.cursor().shape(), Qt::CrossCursor);
    EXPECT_EQ(help.imgSendMoreInfo->cursor().shape(), Qt::CrossCursor);
    EXPECT_EQ(help.lblSendMoreInfo->cursor().shape(), Qt::CrossCursor);
    EXPECT_EQ(help.txtHelpFile->viewport()->cursor().shape(), Qt::IBeamCursor);
}

TEST_F(HelpWindowTest, ReadmeIsShownReadOnlyWithItsLastLineEnded) {
    writeReadme("Quorvix\r\nline two");
    // The box has its own 9 pt, whatever size the desktop's font has.
    const QFont desktop = QApplication::font();
    QApplication::setFont(QFont(desktop.family(), 13));
    HelpWindow& help = create();
    QApplication::setFont(desktop);
    EXPECT_EQ(help.txtHelpFile->toPlainText(), u"Quorvix\nline two\n");
    EXPECT_EQ(help.txtHelpFile->font().pointSize(), 9);
    EXPECT_TRUE(help.txtHelpFile->isReadOnly());
    EXPECT_TRUE(help.txtHelpFile->textInteractionFlags() & Qt::TextSelectableByMouse);
    EXPECT_EQ(help.txtHelpFile->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

// Missing, a folder, or a pipe no one writes to: the window opens with an empty box.
TEST_F(HelpWindowTest, UnreadableReadmeGivesAnEmptyBox) {
    EXPECT_TRUE(create().txtHelpFile->toPlainText().isEmpty());
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("Readme.txt")));
    EXPECT_TRUE(create().txtHelpFile->toPlainText().isEmpty());
    ASSERT_TRUE(QDir(m_dir.path()).rmdir(QStringLiteral("Readme.txt")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(readmePath()).constData(), 0600), 0);
    EXPECT_TRUE(create().txtHelpFile->toPlainText().isEmpty());
}

TEST_F(HelpWindowTest, HugeReadmeShowsItsFirstPartAndSaysSo) {
    // 50 MB of CR-only lines with invalid UTF-8 and NULs among them.
    QByteArray line("caf\xe9 \0 line\r", 12);
    QByteArray bytes;
    bytes.reserve(50 * 1024 * 1024);
    while (bytes.size() < 50 * 1024 * 1024) {
        bytes += line;
    }
    writeReadme(bytes);
    HelpWindow& help = create();
    const QString text = help.txtHelpFile->toPlainText();
    EXPECT_TRUE(text.startsWith(u"caf\u00e9 \u2400 line\n"));
    EXPECT_LE(text.size(), HelpWindow::kMaxReadmeBytes + 200);
    EXPECT_TRUE(text.contains(QString::number(bytes.size())));
}

TEST_F(HelpWindowTest, LayoutAtTheSmallestSize) {
    HelpWindow& help = create();
    help.show();
    help.resize(100, 100); // smaller than allowed: kept at the minimum
    EXPECT_EQ(help.size(), QSize(465, 246));
    EXPECT_EQ(help.imgSendMoreInfo->size(), QSize(468, 60));
    EXPECT_EQ(help.lblSendMoreInfo->size(), QSize(469, 13));
}

struct SizeCase {
    const char* name;
    QSize size;
};

class HelpLayoutTest : public HelpWindowTest, public testing::WithParamInterface<SizeCase> {};

TEST_P(HelpLayoutTest, BannerAndLineStayCentredBelowTheText) {
    HelpWindow& help = create();
    help.show();
    help.resize(GetParam().size);
    ASSERT_EQ(help.size(), GetParam().size);
    const QRect text = help.txtHelpFile->geometry();
    const QRect banner = help.imgSendMoreInfo->geometry();
    const QRect label = help.lblSendMoreInfo->geometry();
    EXPECT_EQ(text.topLeft(), QPoint(12, 12));
    EXPECT_EQ(text.width(), help.width() - 24);
    EXPECT_EQ(text.height(), help.height() - 116);
    EXPECT_LE(std::abs(2 * banner.left() + banner.width() - help.width()), 1);
    EXPECT_LE(std::abs(2 * label.left() + label.width() - help.width()), 1);
    EXPECT_EQ(banner.top(), text.bottom() + 1 + 12);
    EXPECT_EQ(label.top(), banner.bottom() + 1 + 4);
}

INSTANTIATE_TEST_SUITE_P(Sizes, HelpLayoutTest,
                         testing::Values(SizeCase{"Design", {865, 621}},
                                         SizeCase{"Wide", {1200, 500}},
                                         SizeCase{"OddWidth", {777, 400}},
                                         SizeCase{"Minimum", {465, 246}}),
                         testing_rows::RowName());

TEST_F(HelpWindowTest, BannerAndLineOpenTheSameAddress) {
    writeReadme("text");
    HelpWindow& help = create();
    help.show();
    const QString before = help.txtHelpFile->toPlainText();
    QTest::mouseClick(help.imgSendMoreInfo, Qt::LeftButton);
    QTest::mouseClick(help.lblSendMoreInfo, Qt::LeftButton);
    ASSERT_EQ(m_opened.size(), 2u);
    EXPECT_EQ(m_opened[0], HelpWindow::advertiserUrl());
    EXPECT_EQ(m_opened[1], HelpWindow::advertiserUrl());
    EXPECT_TRUE(HelpWindow::advertiserUrl().isValid());
    EXPECT_TRUE(help.isVisible());
    EXPECT_EQ(help.txtHelpFile->toPlainText(), before);
}

} // namespace
} // namespace quorvix::help
