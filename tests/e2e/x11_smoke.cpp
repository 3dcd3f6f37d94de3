// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Starts the built program on the X server in $DISPLAY, finds its top-level window by
// title, checks the client area, closes the window as a window manager would and expects
// the program to end cleanly.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <optional>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

using namespace std::chrono_literals;

std::string windowName(Display* d, Window w) {
    Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
    Atom netName = XInternAtom(d, "_NET_WM_NAME", False);
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    std::string name;
    if (XGetWindowProperty(d, w, netName, 0, 256, False, utf8, &type, &format, &count, &after, &data)
            == Success
        && data) {
        name.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
    }
    return name;
}

std::optional<Window> findWindow(Display* d, const std::string& title) {
    Window root, parent, *children = nullptr;
    unsigned int n = 0;
    if (!XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &n))
        return std::nullopt;
    std::optional<Window> found;
    for (unsigned int i = 0; i < n && !found; ++i) {
        XWindowAttributes a;
        if (XGetWindowAttributes(d, children[i], &a) && a.map_state == IsViewable
            && windowName(d, children[i]) == title)
            found = children[i];
    }
    if (children)
        XFree(children);
    return found;
}

int fail(const char* what, pid_t child) {
    std::fprintf(stderr, "FAIL: %s\n", what);
    if (child > 0)
        kill(child, SIGKILL);
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: x11_smoke PROGRAM\n");
        return 2;
    }
    Display* d = XOpenDisplay(nullptr);
    if (!d)
        return fail("cannot open the display", 0);

    pid_t child = 0;
    char* args[] = {argv[1], const_cast<char*>("--ignored-argument"), nullptr};
    if (posix_spawn(&child, argv[1], nullptr, nullptr, args, environ) != 0)
        return fail("cannot start the program", 0);

    std::optional<Window> w;
    const auto until = std::chrono::steady_clock::now() + 20s;
    while (!w && std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(20ms);
        w = findWindow(d, "Tarvelio");
    }
    if (!w)
        return fail("no mapped window titled Tarvelio", child);

    XWindowAttributes a;
    XGetWindowAttributes(d, *w, &a);
    std::printf("window 0x%lx: %dx%d\n", *w, a.width, a.height);
    if (a.width != 218 || a.height != 169)
        return fail("the client area is not 218 x 169", child);

    XClassHint hint;
    if (XGetClassHint(d, *w, &hint)) {
        std::printf("class: %s %s\n", hint.res_name, hint.res_class);
        XFree(hint.res_name);
        XFree(hint.res_class);
    }

    XEvent close {};
    close.xclient.type = ClientMessage;
    close.xclient.window = *w;
    close.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    close.xclient.format = 32;
    close.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    close.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, *w, False, NoEventMask, &close);
    XFlush(d);

    int status = 0;
    for (auto until = std::chrono::steady_clock::now() + 10s; std::chrono::steady_clock::now() < until;) {
        if (waitpid(child, &status, WNOHANG) == child) {
            XCloseDisplay(d);
            if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
                return fail("the program did not end cleanly", 0);
            std::puts("closed cleanly");
            return 0;
        }
        std::this_thread::sleep_for(20ms);
    }
    return fail("the program did not end after its window was closed", child);
}
