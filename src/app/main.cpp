#include "app_icon.h"
#include "main_window.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvix"));
    // Both windows take the application's icon.
    QApplication::setWindowIcon(quorvix::app::appIcon());

    // The settings file and the read-me live beside the executable, not in the current folder.
    quorvix::app::MainWindow window(QCoreApplication::applicationDirPath());
    // Close and Esc end the program at once; closing the window's frame instead lets an open
    // help window live on, and the program ends with the last window.
    QObject::connect(&window, &quorvix::app::MainWindow::programEndRequested, &application,
                     [] { QCoreApplication::exit(0); });
    window.show();
    return QApplication::exec();
}
