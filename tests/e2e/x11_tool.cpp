// A helper of the end-to-end test for what xdotool cannot do: photograph a window, and close it
// the way a window manager's close box does (a WM_DELETE_WINDOW message, not a destroy), so
// that the program runs its own closing steps.
//
//     e2e_x11_tool grab <window-id> <file.png>
//     e2e_x11_tool close <window-id>

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int grab(unsigned long window, const char* path, int argc, char** argv) {
    QGuiApplication application(argc, argv);
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        std::fprintf(stderr, "no screen\n");
        return 1;
    }
    const QPixmap picture = screen->grabWindow(WId(window));
    if (picture.isNull() || !picture.save(QString::fromLocal8Bit(path), "PNG")) {
        std::fprintf(stderr, "could not grab window 0x%lx into %s\n", window, path);
        return 1;
    }
    return 0;
}

int closeWindow(unsigned long window) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "cannot open display\n");
        return 1;
    }
    XEvent event;
    std::memset(&event, 0, sizeof event);
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    const Status sent = XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
    XCloseDisplay(display);
    return sent ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 4 && std::strcmp(argv[1], "grab") == 0) {
        return grab(std::strtoul(argv[2], nullptr, 0), argv[3], argc, argv);
    }
    if (argc >= 3 && std::strcmp(argv[1], "close") == 0) {
        return closeWindow(std::strtoul(argv[2], nullptr, 0));
    }
    std::fprintf(stderr, "usage: %s grab <window-id> <file.png> | close <window-id>\n", argv[0]);
    return 2;
}
