// The help window and the read-me it shows; both windows show icons of our own, the same
// pictures the desktop entry uses.
#include "../table_rows.h"
#include "advert_banner.h"
#include "app_icon.h"
#include "clickable_label.h"
#include "file_head.h"
#include "help_window.h"
#include "readme_text.h"
#include "twips.h"
#include "window_fixture.h"
#include "window_placement.h"

#include <QAccessible>
#include <QApplication>
#include <QCryptographicHash>
#include <QPlainTextEdit>
#include <QScreen>

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

TEST_F(HelpWindowTest, CaptionPlacementDesignSizeCursorsAndIcons) {
    HelpWindow& help = create();
    EXPECT_EQ(help.windowTitle(), u"Quorvix Help");
    EXPECT_EQ(help.geometry(), QRect(37, 36, 865, 621));
    // A crosshair everywhere except over the text.
    EXPECT_EQ(help.cursor().shape(), Qt::CrossCursor);
    EXPECT_EQ(help.imgSendMoreInfo->cursor().shape(), Qt::CrossCursor);
    EXPECT_EQ(help.lblSendMoreInfo->cursor().shape(), Qt::CrossCursor);
    EXPECT_EQ(help.txtHelpFile->viewport()->cursor().shape(), Qt::IBeamCursor);
    EXPECT_EQ(help.lblSendMoreInfo->font().pointSizeF(), 8.25);
    EXPECT_EQ(help.imgSendMoreInfo->pixmap().size(), QSize(468, 60));
    // Its own icon; the main window's comes in every desktop size.
    EXPECT_EQ(help.windowIcon().availableSizes(), QList<QSize>{QSize(16, 16)});
    const QIcon icon = app::appIcon();
    for (const int side : {16, 32, 48, 256}) {
        EXPECT_EQ(icon.pixmap(side, side).size(), QSize(side, side)) << side;
    }
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
    const uint before = QDir(u"/proc/self/fd"_qs).count();
    EXPECT_FALSE(ui::readFileHead(readmePath(), 10).regularFile ||
                 ui::readFileHead(m_dir.path(), 10).regularFile);
    EXPECT_TRUE(ui::readFileHead(QCoreApplication::applicationFilePath(), 10).readable);
    EXPECT_EQ(QDir(u"/proc/self/fd"_qs).count(), before); // each read closed what it opened
}

// The banner is drawn, not loaded: its pixels' digest is that of the approved picture. A run
// that draws another saves it beside the test for a look.
TEST(AdvertBannerTest, DrawsTheApprovedPicture) {
    const QImage drawn = advertBanner().toImage().convertToFormat(QImage::Format_ARGB32);
    const QByteArrayView pixels(drawn.constBits(), drawn.sizeInBytes());
    EXPECT_EQ(QCryptographicHash::hash(pixels, QCryptographicHash::Sha256).toHex().toStdString(),
              "0de5857b77ee8539e16813ad5b6077213b4640c76eaf5af241dee7a0de6865ec")
        << drawn.save(QStringLiteral("advert_banner-drawn.png"));
}

// The text fills the window but for its margins; the banner and its line stay centred below it.
// A size below the minimum is kept at the minimum.
struct SizeCase {
    const char* name;
    QSize size;
    QRect text, banner, line;
};

class HelpLayoutTest : public HelpWindowTest, public testing::WithParamInterface<SizeCase> {};

TEST_P(HelpLayoutTest, BannerAndLineStayCentredBelowTheText) {
    HelpWindow& help = create();
    help.show();
    help.resize(GetParam().size);
    EXPECT_EQ(help.txtHelpFile->geometry(), GetParam().text);
    EXPECT_EQ(help.imgSendMoreInfo->geometry(), GetParam().banner);
    EXPECT_EQ(help.lblSendMoreInfo->geometry(), GetParam().line);
}

// clang-format off
const SizeCase kSizes[] = {
    {"Design", {865, 621}, {12, 12, 841, 505}, {198, 529, 468, 60}, {198, 593, 469, 13}},
    {"Wide", {1200, 500}, {12, 12, 1176, 384}, {366, 408, 468, 60}, {365, 472, 469, 13}},
    {"OddWidth", {777, 400}, {12, 12, 753, 284}, {154, 308, 468, 60}, {154, 372, 469, 13}},
    {"BelowTheMinimum", {100, 100}, {12, 12, 441, 130}, {-1, 154, 468, 60}, {-2, 218, 469, 13}},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Sizes, HelpLayoutTest, testing::ValuesIn(kSizes), testing_rows::RowName());

// A click on the banner or its line opens the advertiser's page and leaves the window as it was;
// so do Enter or Space once Tab reaches them, and assistive technology's press action. Esc
// closes the window, which fits the screen.
TEST_F(HelpWindowTest, BannerAndLineOpenTheSameAddressByMouseKeysAndAssistiveTechnology) {
    writeReadme("text");
    HelpWindow& help = create();
    help.show();
    help.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&help));
    QTest::mouseClick(help.imgSendMoreInfo, Qt::LeftButton);
    QTest::mouseClick(help.lblSendMoreInfo, Qt::LeftButton);
    // The line wears a focus frame while it has the focus, and only then.
    const QColor corner = help.lblSendMoreInfo->grab().toImage().pixelColor(1, 1);
    EXPECT_EQ(corner, help.palette().color(QPalette::Window));
    EXPECT_NE(help.imgSendMoreInfo->grab().toImage().pixelColor(5, 5), corner); // the banner
    help.txtHelpFile->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), help.imgSendMoreInfo);
    QTest::keyClick(help.imgSendMoreInfo, Qt::Key_Return);
    QTest::keyClick(help.imgSendMoreInfo, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), help.lblSendMoreInfo);
    EXPECT_NE(help.lblSendMoreInfo->grab().toImage().pixelColor(1, 1), corner);
    QTest::keyClick(help.lblSendMoreInfo, Qt::Key_Space);
    QAccessibleInterface* line = QAccessible::queryAccessibleInterface(help.lblSendMoreInfo);
    EXPECT_EQ(line->role(), QAccessible::Link);
    EXPECT_TRUE(line->state().focusable);
    line->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QAccessibleInterface* banner = QAccessible::queryAccessibleInterface(help.imgSendMoreInfo);
    banner->actionInterface()->doAction(QAccessibleActionInterface::setFocusAction());
    EXPECT_EQ(QApplication::focusWidget(), help.imgSendMoreInfo); // other actions: the widget's
    EXPECT_EQ(m_opened, std::vector<QUrl>(5, HelpWindow::advertiserUrl()));
    EXPECT_TRUE(HelpWindow::advertiserUrl().isValid());
    EXPECT_EQ(help.txtHelpFile->toPlainText(), u"text\n");
    // The design size outgrows the test screen, and shrinks to it.
    ASSERT_LT(help.screen()->availableGeometry().width(), 865);
    EXPECT_TRUE(help.screen()->availableGeometry().contains(help.frameGeometry()));
    EXPECT_EQ(help.frameGeometry().width(), help.screen()->availableGeometry().width());
    QTest::keyClick(help.lblSendMoreInfo, Qt::Key_A); // only Esc closes it
    EXPECT_TRUE(help.isVisible());
    QTest::keyClick(help.lblSendMoreInfo, Qt::Key_Escape);
    EXPECT_FALSE(help.isVisible());
}

// Beside the anchor where there is room (right, left, below, above), always on the screen.
TEST(WindowPlacementTest, BesideTheAnchorWithinTheScreen) {
    const QRect screen(0, 0, 1600, 1200);
    for (const auto& [anchor, size, expected] :
         std::initializer_list<std::tuple<QRect, QSize, QRect>>{
             {{100, 100, 500, 300}, {400, 400}, {608, 100, 400, 400}},
             {{1000, 900, 500, 300}, {400, 400}, {592, 800, 400, 400}},
             {{0, 0, 1300, 300}, {400, 400}, {0, 308, 400, 400}},
             {{0, 700, 1300, 500}, {400, 400}, {0, 292, 400, 400}},
             {{0, 0, 1600, 1200}, {2000, 500}, {0, 0, 1600, 500}}}) {
        EXPECT_EQ(ui::placedBeside(anchor, size, screen), expected);
    }
    // Twips round to the nearest pixel, halves away from zero, on either side of it.
    EXPECT_EQ(std::make_pair(twipsToPixels(22), twipsToPixels(-23)), std::make_pair(1, -2));
}

// Read-me text ---------------------------------------------------------------------------------

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

const QString kCrLf = u"\r\n"_qs;
const ReadmeCase kLines[] = {
    {"Empty", "", u""_qs},
    {"LastLineWithoutEnd", "one\r\ntwo", u"one\r\ntwo\r\n"_qs},
    {"CrLfLines", "one\r\ntwo\r\n", u"one\r\ntwo\r\n"_qs},
    {"CrOnlyLines", "one\rtwo\r", u"one\r\ntwo\r\n"_qs},
    {"LoneLfStaysInTheLine", "one\ntwo\r\n", u"one\ntwo\r\n"_qs},
    {"EmptyLinesKept", "\r\n\r\nx", u"\r\n\r\nx\r\n"_qs},
    {"CrCrLfIsTwoLines", "a\r\r\nb", u"a\r\n\r\nb\r\n"_qs},
    {"Utf8Decoded", "pi = \xcf\x80\r\n", u"pi = \u03c0\r\n"_qs},
    {"InvalidUtf8ReadAsLatin1", "caf\xe9\r\n", u"caf\u00e9\r\n"_qs},
    {"NulShownAsSymbol", QByteArray("a\0b", 3), u"a\u2400b\r\n"_qs},
    {"VeryLongLineShownInPieces", QByteArray(2 * 4096 + 5, 'a'),
     QString(4096, u'a') + kCrLf + QString(4096, u'a') + kCrLf + u"aaaaa\r\n"_qs},
    // U+1D11E, four bytes in UTF-8, two UTF-16 units, straddling the piece boundary.
    {"PieceKeepsASurrogatePair", QByteArray(4095, 'a') + "\xf0\x9d\x84\x9e" + 'b',
     QString(4095, u'a') + u"\r\n\U0001D11Eb\r\n"_qs},
};
INSTANTIATE_TEST_SUITE_P(Lines, ReadmeTextTest, testing::ValuesIn(kLines), testing_rows::RowName());

struct PartCase {
    const char* name;
    QByteArray part;  // what was loaded of a file of 100 bytes
    int leftOut;      // bytes the note says are not shown
    QString expected; // before the closing note
};

class ReadmePartTest : public testing::TestWithParam<PartCase> {};

TEST_P(ReadmePartTest, ShowsWholeLinesAndSaysWhatIsLeftOut) {
    const PartCase& c = GetParam();
    const QString text = readmeText(c.part, 100);
    ASSERT_TRUE(text.startsWith(c.expected)) << text.toStdString();
    EXPECT_EQ(
        text.sliced(c.expected.size()).toStdString(),
        u"\r\n[The rest of this file, %1 of its 100 bytes, is not shown.]\r\n"_qs.arg(c.leftOut)
            .toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Parts, ReadmePartTest,
    testing::Values(PartCase{"CutAfterLastCr", "one\r\ntwo\r\nthr", 91, u"one\r\ntwo\r\n"_qs},
                    PartCase{"CutAfterACrAtTheStart", "\rone", 99, u"\r\n"_qs},
                    PartCase{"CutAfterLastLfWithoutCr", "one\ntwo\nthr", 92, u"one\ntwo\n\r\n"_qs},
                    PartCase{"SplitUtf8SequenceDropped", "ab\xcf", 98, u"ab\r\n"_qs},
                    PartCase{"WholeUtf8SequenceKept", "ab\xcf\x80", 96, u"ab\u03c0\r\n"_qs}),
    testing_rows::RowName());

} // namespace
} // namespace quorvix::help
