// A desktop panel for the window tests: a dock along the top of the screen that asks the window
// manager to keep its height free, as the panel of a laptop's desktop does. Runs until killed.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdlib>

int main(int argc, char** argv) {
    const int height = argc > 1 ? std::atoi(argv[1]) : 40;
    Display* display = XOpenDisplay(nullptr);
    if (!display || height <= 0) return 1;
    const int screen = DefaultScreen(display);
    const int width = DisplayWidth(display, screen);
    Window panel = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, unsigned(width), unsigned(height), 0,
                                       0, 0x303848);
    Atom dock = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DOCK", False);
    XChangeProperty(display, panel, XInternAtom(display, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&dock), 1);
    // left, right, top, bottom, then where along each edge: the whole top edge.
    long strut[12] = {0, 0, height, 0, 0, 0, 0, 0, 0, width - 1, 0, 0};
    XChangeProperty(display, panel, XInternAtom(display, "_NET_WM_STRUT_PARTIAL", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<unsigned char*>(strut), 12);
    XChangeProperty(display, panel, XInternAtom(display, "_NET_WM_STRUT", False), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(strut), 4);
    XMapWindow(display, panel);
    XFlush(display);
    for (XEvent event;;) XNextEvent(display, &event);
}
