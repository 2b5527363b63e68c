#include "app_icon.h"
#include "main_window.h"
#include "settings_home.h"
#include "window_accessible.h"

#include <QAccessible>
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstring>

namespace {

constexpr const char* kUsage = "usage: quorvix [--help | --version]\n"
                               "Starts the Quorvix calculator. Everything else is set in its "
                               "window; see Readme.txt beside the program.\n";

// --help and --version are answered before any window-system connection is made, so they work
// without a display. Returns the exit status, or -1 to go on starting the calculator.
int handleOptions(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("quorvix %s\n", QUORVIX_VERSION);
            return 0;
        }
    }
    return -1;
}

} // namespace

int main(int argc, char* argv[]) {
    if (const int status = handleOptions(argc, argv); status >= 0) {
        return status;
    }
    QApplication application(argc, argv);
    // Qt has taken its own options (-platform and the like). A launcher or a file manager may
    // pass more (a file, a %U): they are ignored, and the calculator starts all the same.
    if (const QStringList extra = QCoreApplication::arguments().mid(1); !extra.isEmpty()) {
        QString ignored = extra.join(QLatin1Char(' '));
        ignored.replace(QLatin1Char('\n'), QLatin1Char(' '));
        std::fprintf(stderr, "quorvix: ignoring %s\n", qPrintable(ignored));
    }
    QApplication::setApplicationName(QStringLiteral("Quorvix"));
    QAccessible::installFactory(&quorvix::ui::windowAccessible);

    // The settings file and the read-me live beside the executable, not in the current folder.
    // An installed copy cannot write there, so its settings go to the user's folder instead.
    quorvix::app::MainWindow window(
        QCoreApplication::applicationDirPath(), nullptr,
        quorvix::app::userSettingsFolder(quorvix::app::UserEnvironment::current()));
    // Close and Esc end the program at once; closing the window's frame instead lets an open
    // help window live on, and the program ends with the last window.
    QObject::connect(&window, &quorvix::app::MainWindow::programEndRequested, &application,
                     [] { QCoreApplication::exit(0); });
    window.show();
    // Both windows take the application's icon. Decoding its six sizes and sending them to the
    // window system waits until the window is on screen: the window manager takes the icon
    // whenever it comes.
    QTimer::singleShot(0, &window, [] { QApplication::setWindowIcon(quorvix::app::appIcon()); });
    return QApplication::exec();
}
