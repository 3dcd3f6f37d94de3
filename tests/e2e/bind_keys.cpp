// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Gives each keysym named on the command line a key of its own in the keyboard map of the
// X server in $DISPLAY, unless some key already types it.
//
// The US map Xvfb starts with has no euro sign. xdotool types such a keysym by binding it
// to a spare key just for the press and unbinding it right after; a program that reloads
// its keymap in between sees a key without a symbol, and the key press is lost now and
// then. Binding the keysym once, before any program starts, removes that race.
#include <X11/Xlib.h>

#include <cstdio>

int main(int argc, char** argv) {
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "bind_keys: cannot open the display\n");
        return 1;
    }
    int first = 0, last = 0, perCode = 0;
    XDisplayKeycodes(d, &first, &last);
    KeySym* map = XGetKeyboardMapping(d, static_cast<KeyCode>(first), last - first + 1, &perCode);
    const auto unbound = [&](int code) {
        for (int i = 0; i < perCode; ++i) {
            if (map[(code - first) * perCode + i] != NoSymbol)
                return false;
        }
        return true;
    };

    int status = 0;
    int spare = last; // spare keys are taken from the top, where the map has gaps
    for (int i = 1; i < argc; ++i) {
        KeySym sym = XStringToKeysym(argv[i]);
        if (sym == NoSymbol) {
            std::fprintf(stderr, "bind_keys: unknown keysym %s\n", argv[i]);
            status = 1;
            continue;
        }
        if (XKeysymToKeycode(d, sym) != 0)
            continue;
        while (spare >= first && !unbound(spare))
            --spare;
        if (spare < first) {
            std::fprintf(stderr, "bind_keys: no spare key for %s\n", argv[i]);
            status = 1;
            break;
        }
        XChangeKeyboardMapping(d, spare, 1, &sym, 1);
        std::printf("bind_keys: %s on keycode %d\n", argv[i], spare);
        --spare;
    }
    XFree(map);
    XSync(d, False);
    XCloseDisplay(d);
    return status;
}
