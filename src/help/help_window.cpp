#include "help_window.h"

#include "advert_banner.h"
#include "clickable_label.h"
#include "file_head.h"
#include "font_faces.h"
#include "readme_text.h"
#include "spoken_controls.h"
#include "twips.h"
#include "window_placement.h"

#include <QDesktopServices>
#include <QDir>
#include <QIcon>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScreen>

namespace quorvix::help {

namespace {

// Layout in twips. The window's frame is taken as 60 twips on each side and its title bar and
// frame as 310 twips high, so that the outer sizes of the layout rules become client sizes.
constexpr int kFrameWidthTwips = 120;
constexpr int kFrameHeightTwips = 310;
constexpr int kClientWidthTwips = 12975;
constexpr int kClientHeightTwips = 9315;
constexpr int kMinOuterWidthTwips = 7100;
constexpr int kMinOuterHeightTwips = 4000;
constexpr int kMargin = 180;          // left and top of the text box
constexpr int kTextWidthLoss = 480;   // outer width minus the text box's width
constexpr int kTextHeightLoss = 2050; // outer height minus the text box's height
constexpr int kBannerWidth = 7020;
constexpr int kBannerHeight = 900;
constexpr int kBannerGap = 175; // text box to banner
constexpr int kLabelWidth = 7035;
constexpr int kLabelHeight = 195;
constexpr int kLabelGap = 60; // banner to label
// Where the client area's top-left corner first appears on the screen.
constexpr int kPlacementLeft = 555;
constexpr int kPlacementTop = 540;

} // namespace

HelpWindow::HelpWindow(const QString& programFolder, UrlOpener openUrl, QWidget* parent)
    : QWidget(parent), m_openUrl(std::move(openUrl)) {
    if (!m_openUrl) {
        m_openUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    }
    setObjectName(QStringLiteral("Help"));
    setWindowTitle(QStringLiteral("Quorvix Help"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/quorvix-help-16.png")));
    setCursor(Qt::CrossCursor);
    setMinimumSize(twipsToPixels(kMinOuterWidthTwips - kFrameWidthTwips),
                   twipsToPixels(kMinOuterHeightTwips - kFrameHeightTwips));

    QFont fixedsys = ui::withFace(font(), ui::FontFace::Fixedsys);
    fixedsys.setPointSize(9);
    txtHelpFile = new QPlainTextEdit(this);
    txtHelpFile->setObjectName(QStringLiteral("txtHelpFile"));
    txtHelpFile->setFont(fixedsys);
    txtHelpFile->setReadOnly(true);
    txtHelpFile->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The text keeps the usual text cursor; the rest of the window, its banner and line too,
    // shows the crosshair.
    txtHelpFile->viewport()->setCursor(Qt::IBeamCursor);

    imgSendMoreInfo = new ui::ClickableLabel(this);
    imgSendMoreInfo->setObjectName(QStringLiteral("imgSendMoreInfo"));
    imgSendMoreInfo->setPixmap(advertBanner());
    imgSendMoreInfo->resize(twipsToPixels(kBannerWidth), twipsToPixels(kBannerHeight));

    lblSendMoreInfo = new ui::ClickableLabel(
        QStringLiteral("GET PAID TO RECEIVE E-MAILS ON SUBJECTS OF YOUR CHOICE!!"), this);
    lblSendMoreInfo->setObjectName(QStringLiteral("lblSendMoreInfo"));
    QFont labelFont = ui::withFace(font(), ui::FontFace::MsSansSerif);
    labelFont.setPointSizeF(8.25);
    labelFont.setBold(true);
    lblSendMoreInfo->setFont(labelFont);
    lblSendMoreInfo->setAlignment(Qt::AlignCenter);
    lblSendMoreInfo->resize(twipsToPixels(kLabelWidth), twipsToPixels(kLabelHeight));

    connect(imgSendMoreInfo, &ui::ClickableLabel::clicked, this,
            [this] { m_openUrl(advertiserUrl()); });
    connect(lblSendMoreInfo, &ui::ClickableLabel::clicked, this,
            [this] { m_openUrl(advertiserUrl()); });
    ui::applySpeech(*this, ui::helpWindowSpeech());

    setGeometry(twipsToPixels(kPlacementLeft), twipsToPixels(kPlacementTop),
                twipsToPixels(kClientWidthTwips), twipsToPixels(kClientHeightTwips));
    layOut();
    loadReadme(programFolder);
}

QUrl HelpWindow::advertiserUrl() {
    return QUrl(QStringLiteral("https://quorvix.example/sign-up"));
}

void HelpWindow::loadReadme(const QString& programFolder) {
    const ui::FileHead head = ui::readFileHead(
        QDir(programFolder).filePath(QStringLiteral("Readme.txt")), kMaxReadmeBytes);
    // A missing or unreadable read-me leaves the box empty, without a word.
    if (head.regularFile) {
        txtHelpFile->setPlainText(readmeText(head.bytes, head.readable ? head.size : 0));
    }
}

void HelpWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Without a window manager to honour the minimum size, the window can still be made
    // smaller from outside: snap back, which raises a resize of its own.
    const QSize allowed = size().expandedTo(minimumSize());
    if (allowed != size()) {
        resize(allowed);
        return;
    }
    layOut();
}

void HelpWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The design size in logical pixels outgrows a small screen at a large scale.
    const QRect frame = frameGeometry();
    const QRect kept = ui::keptWithin(frame, screen()->availableGeometry());
    if (kept != frame) {
        move(kept.topLeft());
        resize(size() - (frame.size() - kept.size()));
    }
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void HelpWindow::layOut() {
    // The minimum size is kept by setMinimumSize; the text box takes what is left over, and the
    // banner and its line are centred below it.
    const int textWidth = width() - twipsToPixels(kTextWidthLoss - kFrameWidthTwips);
    const int textHeight = height() - twipsToPixels(kTextHeightLoss - kFrameHeightTwips);
    const int margin = twipsToPixels(kMargin);
    txtHelpFile->setGeometry(margin, margin, std::max(0, textWidth), std::max(0, textHeight));

    const int bannerTop = txtHelpFile->geometry().bottom() + 1 + twipsToPixels(kBannerGap);
    imgSendMoreInfo->move((width() - imgSendMoreInfo->width()) / 2, bannerTop);
    lblSendMoreInfo->move((width() - lblSendMoreInfo->width()) / 2,
                          imgSendMoreInfo->geometry().bottom() + 1 + twipsToPixels(kLabelGap));
}

} // namespace quorvix::help
