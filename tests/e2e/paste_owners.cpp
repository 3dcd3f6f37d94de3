// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Pastes from clipboard owners of every kind into the built program on the X server in
// $DISPLAY: slow ones, silent ones, one that dies in the middle of a transfer, bad answers
// and a huge transfer. Each owner is a child process with a connection of its own. Keys
// are typed through XTEST (xdotool), and the readout comes back through the clipboard:
// Ctrl+C in the program, then a read of the CLIPBOARD selection here.
//
// While a paste is outstanding the window must stay alive: this program acts as the
// window manager and pings it (_NET_WM_PING), and covers and uncovers its keys, expecting
// the program to paint them again (Xvfb keeps no backing store).
//
// Last, with xclipboard keeping the clipboard, every one of five copies must arrive.
//
// The owners and the other helpers are shared with the paste benchmark (clipowner.h).
#include "clipowner.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using namespace std::chrono_literals;
using namespace e2e;

struct Case {
    const char* name;
    Owner owner;
    const char* before; // typed before the owner takes the clipboard
    std::vector<const char*> keys; // xdotool key names; Ctrl+V and what is typed behind it
    std::string expected; // the readout afterwards
    int requests; // selection requests the owner should get
    std::chrono::seconds limit = 0s; // for the whole case, where it has one
    bool closeMeanwhile = false; // the window is closed while the paste is outstanding
};

// The window manager's ping; the program is to answer within 50 ms.
bool answersPing(Display* d, Window me, Window w) {
    const Time stamp = serverTime(d, me);
    sendProtocol(d, w, "_NET_WM_PING", stamp);
    return waitFor(d, Clock::now() + 50ms, [&](const XEvent& x) { return pingAnswered(d, x) == stamp; });
}

std::string pixels(Display* d, int x, int y, int width, int height) {
    XImage* image = XGetImage(d, DefaultRootWindow(d), x, y, static_cast<unsigned>(width),
        static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (!image)
        return {};
    std::string bytes(image->data, static_cast<std::size_t>(image->bytes_per_line) * image->height);
    XDestroyImage(image);
    return bytes;
}

// Covers the keys with a magenta window for a moment; only the program's own painting
// gives the pixels back, within 200 ms.
bool repaints(Display* d, Window w) {
    int x = 0, y = 0;
    Window ignored;
    XTranslateCoordinates(d, w, DefaultRootWindow(d), 4, 68, &x, &y, &ignored);
    constexpr int width = 120, height = 96;
    const std::string shown = pixels(d, x, y, width, height);
    XSetWindowAttributes a {};
    a.override_redirect = True;
    a.background_pixel = 0xff00ff;
    const Window cover = XCreateWindow(d, DefaultRootWindow(d), x, y, width, height, 0, CopyFromParent,
        InputOutput, CopyFromParent, CWOverrideRedirect | CWBackPixel, &a);
    XMapRaised(d, cover);
    XSync(d, False);
    const bool covered = pixels(d, x, y, width, height) != shown;
    XUnmapWindow(d, cover);
    XDestroyWindow(d, cover);
    XSync(d, False);
    bool back = false;
    for (auto end = Clock::now() + 200ms; !back && Clock::now() < end; std::this_thread::sleep_for(10ms))
        back = pixels(d, x, y, width, height) == shown;
    return covered && back;
}

// Ctrl+C, then the clipboard's text once some other window than `stale` owns it.
std::optional<std::string> copyReadout(Display* d, Window me, Window stale, Clock::time_point deadline) {
    if (!typeKeys({"ctrl+c"}))
        return std::nullopt;
    const Atom clipboard = atom(d, "CLIPBOARD");
    for (;; std::this_thread::sleep_for(20ms)) {
        const Window owner = XGetSelectionOwner(d, clipboard);
        if (owner != None && owner != stale)
            return readClipboard(d, me, deadline);
        if (Clock::now() >= deadline)
            return std::nullopt;
    }
}

// Closes the window as a window manager's close button does; true when the program then
// ends cleanly within a second.
bool endsWhenClosed(Display* d, Window w, pid_t& app) {
    sendProtocol(d, w, "WM_DELETE_WINDOW", CurrentTime);
    int status = 0;
    for (auto end = Clock::now() + 1s; Clock::now() < end; std::this_thread::sleep_for(10ms)) {
        if (waitpid(app, &status, WNOHANG) == app) {
            app = 0;
            return WIFEXITED(status) && WEXITSTATUS(status) == 0;
        }
    }
    return false;
}

std::string shorten(const std::string& text) {
    return text.size() <= 40 ? text : text.substr(0, 30) + "... (" + std::to_string(text.size()) + " bytes)";
}

bool runCase(Display* d, Window me, const char* program, const Case& c) {
    std::vector<std::string> failures;
    const auto failed = [&](std::string why) { failures.push_back(std::move(why)); };
    const auto started = Clock::now();
    pid_t app = startProgram(program);
    pid_t owner = -1;
    Report report;
    std::vector<std::string> requests;
    const Window w = app ? findWindow(d) : None;
    if (!w) {
        failed("no mapped 218x169 window titled Tarvelio");
    } else if (!run({"xdotool", "windowfocus", "--sync", std::to_string(w)})
        || (*c.before && !run({"xdotool", "type", "--delay", "4", c.before}))) {
        failed("xdotool could not focus the window and type");
    } else {
        const Window ownerWindow = startOwner(c.owner, owner, report);
        if (!ownerWindow) {
            failed("the owner could not take the clipboard");
        } else if (!typeKeys(c.keys)) {
            failed("xdotool could not type the keys");
        } else {
            if (auto first = report.next(Clock::now() + 5s)) {
                requests.push_back(first->substr(8));
                XSelectInput(d, DefaultRootWindow(d), SubstructureNotifyMask | SubstructureRedirectMask);
                if (!answersPing(d, me, w))
                    failed("no answer to a ping within 50 ms while the paste was outstanding");
                if (!repaints(d, w))
                    failed("the uncovered window was not painted again within 200 ms while the paste was "
                           "outstanding");
                XSelectInput(d, DefaultRootWindow(d), NoEventMask);
            } else {
                failed("the owner got no request within 5 s of Ctrl+V");
            }
            if (c.closeMeanwhile) {
                if (!endsWhenClosed(d, w, app))
                    failed("closed during the paste, the program did not end cleanly within 1 s");
            }
            const auto text = c.closeMeanwhile ? std::optional<std::string>(c.expected)
                                               : copyReadout(d, me, ownerWindow, Clock::now() + 15s);
            if (!text)
                failed("nothing was copied within 15 s");
            else if (*text != c.expected)
                failed("the readout is '" + shorten(*text) + "', not '" + shorten(c.expected) + "'");
            if (c.limit > 0s && Clock::now() - started > c.limit)
                failed("the case took longer than " + std::to_string(c.limit.count()) + " s");
        }
    }
    stop(app);
    if (owner > 0) {
        // The owner ends once the program takes the clipboard with its copy.
        while (auto line = report.next(Clock::now() + 2s))
            requests.push_back(line->substr(8));
        stop(owner);
        close(report.fd);
        if (static_cast<int>(requests.size()) != c.requests)
            failed("the owner got " + std::to_string(requests.size()) + " requests, not "
                + std::to_string(c.requests));
    }
    if (failures.empty()) {
        std::printf("PASS %s\n", c.name);
        return true;
    }
    std::printf("FAIL %s:\n", c.name);
    for (const auto& f : failures)
        std::printf("    %s\n", f.c_str());
    if (!requests.empty()) {
        std::printf("    the owner's requests:");
        for (const auto& r : requests)
            std::printf(" %s", r.c_str());
        std::printf("\n");
    }
    return false;
}

// With xclipboard keeping the clipboard, five numbers typed and copied in turn must each
// arrive there.
bool keeperCase(Display* d, Window me, const char* program) {
    const KeptCopies copies = copiesWithKeeper(d, me, program);
    if (!copies.keeperStarted) {
        std::printf("FAIL clipboard keeper: xclipboard cannot start\n");
        return false;
    }
    if (copies.arrived == 5) {
        std::printf("PASS clipboard keeper: 5 of 5 copies arrived\n");
        return true;
    }
    std::printf("FAIL clipboard keeper: %d of 5 copies arrived; missing:%s\n", copies.arrived,
        copies.window ? copies.missed.c_str() : " all, no window");
    return false;
}

// A number of four million digits in no pattern that a lost or repeated piece would keep.
std::string hugeNumber() {
    std::string text = "0,";
    std::uint32_t x = 1;
    for (int i = 0; i < 4'000'000; ++i) {
        x = x * 1664525u + 1013904223u;
        text += static_cast<char>('0' + (x >> 24) % 10);
    }
    return text;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: paste_owners PROGRAM\n");
        return 2;
    }
    Window me = None;
    Display* d = openSession(me);
    if (!d) {
        std::fprintf(stderr, "FAIL: cannot open the display\n");
        return 1;
    }
    // Each case's lines go out at once, so that a run stopped from outside still shows them.
    setvbuf(stdout, nullptr, _IOLBF, 0);

    const std::vector<std::string> utf8 {"UTF8_STRING"};
    const std::vector<const char*> plusOne {"ctrl+v", "plus", "1", "equal"};
    const std::string huge = hugeNumber();
    const Case cases[] {
        {"slow owner: the keys typed behind Ctrl+V follow the paste", {utf8, "12,5", 1500ms}, "", plusOne,
            "13,50", 2},
        {"a Ctrl+V typed while a paste is outstanding waits its turn", {utf8, "12,5", 1500ms}, "",
            {"ctrl+v", "plus", "ctrl+v", "equal"}, "25,00", 4},
        {"silent owner: refused after the program's bound", {.formats = utf8, .text = "12,5", .silent = true},
            "42", plusOne, "43,00", 1, 12s},
        {"owner without TARGETS: UTF8_STRING asked once",
            {.formats = utf8, .text = "12,5", .refuseTargets = true}, "", plusOne, "13,50", 2},
        // Each of the ten sets writes these digits as ASCII does: whichever the program takes,
        // the number is the same.
        {"ten charset forms: one of them asked",
            {{"text/plain;charset=ISO-8859-1", "text/plain;charset=ISO-8859-2",
                 "text/plain;charset=ISO-8859-5", "text/plain;charset=ISO-8859-15",
                 "text/plain;charset=KOI8-R", "text/plain;charset=US-ASCII", "text/plain;charset=IBM437",
                 "text/plain;charset=macintosh", "text/plain;charset=windows-1250",
                 "text/plain;charset=windows-1252"},
                "12,5"},
            "", plusOne, "13,50", 2},
        {"owner dies in the middle of INCR: refused",
            {.formats = utf8, .text = "0," + std::string(100000, '3'), .chunk = 4096, .dieAfterChunk = true},
            "42", plusOne, "43,00", 2},
        // Raw readout (r): the copy gives back the text exactly as pasted.
        {"huge INCR transfer comes back whole", {.formats = utf8, .text = huge, .chunk = 65000}, "r",
            {"ctrl+v"}, huge, 2},
        // Either text reads as 12 to a reader that drops the bad byte or stops at the NUL.
        {"invalid UTF-8 changes nothing", {utf8, "12\xff"}, "42", plusOne, "43,00", 2},
        {"a NUL byte changes nothing", {utf8, std::string("12\0,5", 5)}, "42", plusOne, "43,00", 2},
        // Bytes that would read as a number: a picture is never asked for.
        {"only image/png offered changes nothing", {{"image/png"}, "12"}, "42", plusOne, "43,00", 1},
        {"closed during a silent paste: ends at once", {.formats = utf8, .text = "12,5", .silent = true}, "",
            plusOne, "", 1, 0s, true},
        {"a refused text request changes nothing", {.formats = utf8, .text = "12,5", .refuseText = true},
            "42", plusOne, "43,00", 2},
    };
    int failed = 0;
    for (const Case& c : cases)
        failed += runCase(d, me, argv[1], c) ? 0 : 1;
    failed += keeperCase(d, me, argv[1]) ? 0 : 1;
    std::printf("%d of %zu cases failed\n", failed, std::size(cases) + 1);
    XCloseDisplay(d);
    return failed == 0 ? 0 : 1;
}
