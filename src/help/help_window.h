#pragma once

#include <QUrl>
#include <QWidget>
#include <functional>

class QPlainTextEdit;

namespace quorvix::ui {
class ClickableLabel;
}

namespace quorvix::help {

// The read-me viewer: "Readme.txt" of the program's folder in a read-only text box, with an
// advertisement below it (a banner and a line of text) that opens the advertiser's page.
// The text box grows with the window; the banner and its line stay centred under it.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    using UrlOpener = std::function<void(const QUrl&)>;

    // The most of the read-me that is loaded; the rest is named in a closing line. A larger
    // text would make the window slow to open and lay out.
    static constexpr qsizetype kMaxReadmeBytes = 1024 * 1024;

    // `openUrl` hands the advertiser's address to the desktop (QDesktopServices by default).
    explicit HelpWindow(const QString& programFolder, UrlOpener openUrl = {},
                        QWidget* parent = nullptr);

    static QUrl advertiserUrl();

    QPlainTextEdit* txtHelpFile = nullptr;
    ui::ClickableLabel* imgSendMoreInfo = nullptr;
    ui::ClickableLabel* lblSendMoreInfo = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void loadReadme(const QString& programFolder);
    void layOut();

    UrlOpener m_openUrl;
};

} // namespace quorvix::help
