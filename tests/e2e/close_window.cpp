// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Closes a window of the X server in $DISPLAY as a window manager does when its close
// button is pressed: the WM_DELETE_WINDOW message. The program then ends as it ends for a
// person, through its own shut-down, where the leak checker of a sanitizer build looks.
//
// usage: close_window WINDOW_ID    (as xdotool search prints it)
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: close_window WINDOW_ID\n");
        return 2;
    }
    const Window w = std::strtoul(argv[1], nullptr, 0);
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "close_window: cannot open the display\n");
        return 1;
    }
    XEvent close {};
    close.xclient.type = ClientMessage;
    close.xclient.window = w;
    close.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    close.xclient.format = 32;
    close.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    close.xclient.data.l[1] = CurrentTime;
    const Status sent = XSendEvent(d, w, False, NoEventMask, &close);
    XSync(d, False);
    XCloseDisplay(d);
    return sent ? 0 : 1;
}
