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
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// What the clipboard owner of a case offers and how it answers.
struct Owner {
    std::vector<std::string> formats; // offered in TARGETS besides TARGETS itself
    std::string text; // the answer to each of them
    milliseconds delay = 1000ms; // before each answer: the paste stays outstanding
    bool silent = false; // takes the clipboard and answers nothing
    bool refuseTargets = false;
    bool refuseText = false;
    std::size_t chunk = 0; // above 0: an INCR transfer in pieces of this size
    bool dieAfterChunk = false; // ends the process after the first piece
};

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

Atom atom(Display* d, const char* name) {
    return XInternAtom(d, name, False);
}

int ignoreErrors(Display*, XErrorEvent*) {
    return 0;
}

int msLeft(Clock::time_point deadline) {
    auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now()).count();
    return left < 0 ? 0 : static_cast<int>(left);
}

bool readable(int fd, Clock::time_point deadline) {
    pollfd p {fd, POLLIN, 0};
    return poll(&p, 1, msLeft(deadline)) > 0;
}

// Waits for an event that matches, until the deadline. Events that do not match are
// dropped, but while this program holds the window manager's redirection, the requests
// it redirects are granted as asked.
bool waitFor(Display* d, Clock::time_point deadline, const std::function<bool(const XEvent&)>& match,
    XEvent* out = nullptr) {
    for (;;) {
        while (XPending(d)) {
            XEvent e;
            XNextEvent(d, &e);
            if (e.type == MapRequest) {
                XMapWindow(d, e.xmaprequest.window);
            } else if (e.type == ConfigureRequest) {
                const XConfigureRequestEvent& r = e.xconfigurerequest;
                XWindowChanges c {r.x, r.y, r.width, r.height, r.border_width, r.above, r.detail};
                XConfigureWindow(d, r.window, static_cast<unsigned>(r.value_mask), &c);
            }
            if (match(e)) {
                if (out)
                    *out = e;
                return true;
            }
        }
        if (Clock::now() >= deadline)
            return false;
        readable(ConnectionNumber(d), std::min(deadline, Clock::now() + 20ms));
    }
}

// Reads a whole property and deletes it.
std::pair<Atom, std::string> takeProperty(Display* d, Window w, Atom property) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string bytes;
    if (XGetWindowProperty(
            d, w, property, 0, 0x4000000, True, AnyPropertyType, &type, &format, &count, &after, &data)
            == Success
        && data) {
        bytes.assign(reinterpret_cast<char*>(data), count * static_cast<unsigned long>(format) / 8);
        XFree(data);
    }
    return {type, bytes};
}

// The clipboard's text as UTF8_STRING, whole transfers and INCR ones.
std::optional<std::string> readClipboard(Display* d, Window me, Clock::time_point deadline) {
    const Atom property = atom(d, "TARVELIO_TEST_PASTE");
    XDeleteProperty(d, me, property);
    XConvertSelection(d, atom(d, "CLIPBOARD"), atom(d, "UTF8_STRING"), property, me, CurrentTime);
    XEvent e;
    if (!waitFor(
            d, deadline,
            [&](const XEvent& x) { return x.type == SelectionNotify && x.xselection.requestor == me; }, &e)
        || e.xselection.property == None)
        return std::nullopt;
    auto [type, text] = takeProperty(d, me, property);
    if (type != atom(d, "INCR"))
        return text;
    text.clear();
    for (;;) {
        const bool arrived = waitFor(d, deadline, [&](const XEvent& x) {
            return x.type == PropertyNotify && x.xproperty.window == me && x.xproperty.atom == property
                && x.xproperty.state == PropertyNewValue;
        });
        if (!arrived)
            return std::nullopt;
        const std::string piece = takeProperty(d, me, property).second;
        if (piece.empty())
            return text;
        text += piece;
    }
}

// The X server's time now, for the timestamp a window manager puts into its ping.
Time serverTime(Display* d, Window me) {
    const Atom property = atom(d, "TARVELIO_TEST_TIME");
    const unsigned char nothing = 0;
    XChangeProperty(d, me, property, XA_STRING, 8, PropModeAppend, &nothing, 0);
    XEvent e {};
    waitFor(
        d, Clock::now() + 1s,
        [&](const XEvent& x) { return x.type == PropertyNotify && x.xproperty.atom == property; }, &e);
    return e.type == PropertyNotify ? e.xproperty.time : CurrentTime;
}

void say(int fd, const std::string& line) {
    const std::string out = line + "\n";
    [[maybe_unused]] auto written = write(fd, out.data(), out.size());
}

// The owner process: takes the clipboard, reports "ready WINDOW", then "request TARGET" for
// every request as it arrives, and answers as the owner says. It ends when it loses the
// clipboard, and after a minute in any case.
[[noreturn]] void runOwner(const Owner& o, int report) {
    Display* d = XOpenDisplay(nullptr);
    if (!d)
        _exit(1);
    XSetErrorHandler(ignoreErrors);
    const Window w = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0);
    const Atom clipboard = atom(d, "CLIPBOARD"), targets = atom(d, "TARGETS"), incr = atom(d, "INCR");
    XSetSelectionOwner(d, clipboard, w, CurrentTime);
    if (XGetSelectionOwner(d, clipboard) != w)
        _exit(1);
    say(report, "ready " + std::to_string(w));
    const auto end = Clock::now() + 60s;
    while (Clock::now() < end) {
        if (!XPending(d)) {
            readable(ConnectionNumber(d), std::min(end, Clock::now() + 100ms));
            continue;
        }
        XEvent e;
        XNextEvent(d, &e);
        if (e.type == SelectionClear)
            _exit(0);
        if (e.type != SelectionRequest)
            continue;
        const XSelectionRequestEvent r = e.xselectionrequest;
        char* name = XGetAtomName(d, r.target);
        say(report, std::string("request ") + (name ? name : "?"));
        XFree(name);
        if (o.silent)
            continue;
        std::this_thread::sleep_for(o.delay);
        XSelectionEvent answer {
            SelectionNotify, 0, True, d, r.requestor, r.selection, r.target, None, r.time};
        const Atom property = r.property != None ? r.property : r.target;
        bool pieces = false;
        if (r.target == targets && !o.refuseTargets) {
            std::vector<long> list {static_cast<long>(targets)};
            for (const auto& f : o.formats)
                list.push_back(static_cast<long>(atom(d, f.c_str())));
            XChangeProperty(d, r.requestor, property, XA_ATOM, 32, PropModeReplace,
                reinterpret_cast<unsigned char*>(list.data()), static_cast<int>(list.size()));
            answer.property = property;
        } else if (r.target != targets && !o.refuseText) {
            for (const auto& f : o.formats) {
                if (atom(d, f.c_str()) != r.target)
                    continue;
                if (o.chunk) {
                    long size = static_cast<long>(o.text.size());
                    XSelectInput(d, r.requestor, PropertyChangeMask);
                    XChangeProperty(d, r.requestor, property, incr, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(&size), 1);
                    pieces = true;
                } else {
                    XChangeProperty(d, r.requestor, property, r.target, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(o.text.data()),
                        static_cast<int>(o.text.size()));
                }
                answer.property = property;
            }
        }
        XSendEvent(d, r.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&answer));
        XFlush(d);
        // ICCCM's INCR: each piece when the requestor has deleted the property, and a piece
        // of length zero last.
        for (std::size_t at = 0; pieces;) {
            XEvent p;
            if (!XCheckWindowEvent(d, r.requestor, PropertyChangeMask, &p)) {
                if (Clock::now() >= end)
                    _exit(1);
                readable(ConnectionNumber(d), Clock::now() + 20ms);
                continue;
            }
            if (p.xproperty.atom != property || p.xproperty.state != PropertyDelete)
                continue;
            const std::size_t n = std::min(o.chunk, o.text.size() - at);
            XChangeProperty(d, r.requestor, property, r.target, 8, PropModeReplace,
                reinterpret_cast<const unsigned char*>(o.text.data() + at), static_cast<int>(n));
            XSync(d, False);
            if (o.dieAfterChunk)
                _exit(0);
            at += n;
            pieces = n > 0;
        }
    }
    _exit(0);
}

// Runs a command and waits for it, at most five seconds.
bool run(std::vector<std::string> words) {
    std::vector<char*> args;
    for (auto& w : words)
        args.push_back(w.data());
    args.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawnp(&child, args[0], nullptr, nullptr, args.data(), environ) != 0)
        return false;
    int status = 0;
    for (auto end = Clock::now() + 5s; Clock::now() < end; std::this_thread::sleep_for(5ms)) {
        if (waitpid(child, &status, WNOHANG) == child)
            return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    kill(child, SIGKILL);
    waitpid(child, &status, 0);
    return false;
}

// Presses keys named as xdotool names them, through XTEST.
bool typeKeys(const std::vector<const char*>& keys) {
    std::vector<std::string> words {"xdotool", "key", "--delay", "4"};
    words.insert(words.end(), keys.begin(), keys.end());
    return run(std::move(words));
}

void stop(pid_t& child) {
    if (child <= 0)
        return;
    kill(child, SIGTERM);
    int status = 0;
    for (auto end = Clock::now() + 3s; Clock::now() < end; std::this_thread::sleep_for(10ms)) {
        if (waitpid(child, &status, WNOHANG) == child) {
            child = 0;
            return;
        }
    }
    kill(child, SIGKILL);
    waitpid(child, &status, 0);
    child = 0;
}

std::string windowName(Display* d, Window w) {
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    std::string name;
    if (XGetWindowProperty(d, w, atom(d, "_NET_WM_NAME"), 0, 256, False, atom(d, "UTF8_STRING"), &type,
            &format, &count, &after, &data)
            == Success
        && data) {
        name.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
    }
    return name;
}

// The program's main window: mapped, titled Tarvelio, with the 218 x 169 client area
// (helper windows may carry the title too).
Window findWindow(Display* d) {
    for (auto end = Clock::now() + 10s; Clock::now() < end; std::this_thread::sleep_for(20ms)) {
        Window root, parent, *children = nullptr;
        unsigned int n = 0;
        Window found = None;
        if (XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &n)) {
            for (unsigned int i = 0; i < n && !found; ++i) {
                XWindowAttributes a;
                if (XGetWindowAttributes(d, children[i], &a) && a.map_state == IsViewable && a.width == 218
                    && a.height == 169 && windowName(d, children[i]) == "Tarvelio")
                    found = children[i];
            }
            if (children)
                XFree(children);
        }
        if (found)
            return found;
    }
    return None;
}

pid_t startProgram(const char* program) {
    pid_t child = 0;
    char* args[] = {const_cast<char*>(program), nullptr};
    return posix_spawn(&child, program, nullptr, nullptr, args, environ) == 0 ? child : 0;
}

// The window manager's ping; the program is to answer within 50 ms.
bool answersPing(Display* d, Window me, Window w) {
    const Window root = DefaultRootWindow(d);
    const Atom protocols = atom(d, "WM_PROTOCOLS"), ping = atom(d, "_NET_WM_PING");
    const Time stamp = serverTime(d, me);
    XEvent e {};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = protocols;
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(ping);
    e.xclient.data.l[1] = static_cast<long>(stamp);
    e.xclient.data.l[2] = static_cast<long>(w);
    XSendEvent(d, w, False, NoEventMask, &e);
    XFlush(d);
    return waitFor(d, Clock::now() + 50ms, [&](const XEvent& x) {
        return x.type == ClientMessage && x.xclient.window == root && x.xclient.message_type == protocols
            && static_cast<Atom>(x.xclient.data.l[0]) == ping
            && static_cast<Time>(x.xclient.data.l[1]) == stamp;
    });
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

// The lines the owner process reports, as they come.
struct Report {
    int fd = -1;
    std::string buffer;

    std::optional<std::string> next(Clock::time_point deadline) {
        for (;;) {
            if (auto end = buffer.find('\n'); end != std::string::npos) {
                std::string line = buffer.substr(0, end);
                buffer.erase(0, end + 1);
                return line;
            }
            char chunk[256];
            if (!readable(fd, deadline))
                return std::nullopt;
            const ssize_t n = read(fd, chunk, sizeof chunk);
            if (n <= 0)
                return std::nullopt;
            buffer.append(chunk, static_cast<std::size_t>(n));
        }
    }
};

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
    XEvent close {};
    close.xclient.type = ClientMessage;
    close.xclient.window = w;
    close.xclient.message_type = atom(d, "WM_PROTOCOLS");
    close.xclient.format = 32;
    close.xclient.data.l[0] = static_cast<long>(atom(d, "WM_DELETE_WINDOW"));
    close.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, w, False, NoEventMask, &close);
    XFlush(d);
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
        int fds[2] = {-1, -1};
        if (pipe(fds) == 0)
            owner = fork();
        if (owner == 0) {
            close(fds[0]);
            runOwner(c.owner, fds[1]);
        }
        close(fds[1]);
        report.fd = fds[0];
        const auto ready = report.next(Clock::now() + 5s);
        const Window ownerWindow = ready ? std::stoul(ready->substr(6)) : None;
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
    pid_t keeper = 0;
    char* args[] = {const_cast<char*>("xclipboard"), nullptr};
    if (posix_spawnp(&keeper, "xclipboard", nullptr, nullptr, args, environ) != 0) {
        std::printf("FAIL clipboard keeper: xclipboard cannot start\n");
        return false;
    }
    auto end = Clock::now() + 5s;
    while (XGetSelectionOwner(d, atom(d, "CLIPBOARD")) == None && Clock::now() < end)
        std::this_thread::sleep_for(20ms);
    pid_t app = startProgram(program);
    const Window w = app ? findWindow(d) : None;
    int arrived = 0;
    std::string missed;
    if (w && run({"xdotool", "windowfocus", "--sync", std::to_string(w)})) {
        const std::pair<const char*, const char*> numbers[] {
            {"1", "1,00"}, {"22", "22,00"}, {"333", "333,00"}, {"4444", "4.444,00"}, {"55555", "55.555,00"}};
        for (const auto& [typed, shown] : numbers) {
            std::optional<std::string> text;
            if (run({"xdotool", "type", "--delay", "4", typed}) && typeKeys({"ctrl+c"})) {
                for (end = Clock::now() + 5s; Clock::now() < end && text != shown;
                    std::this_thread::sleep_for(50ms))
                    text = readClipboard(d, me, std::min(end, Clock::now() + 1s));
            }
            if (text == shown)
                ++arrived;
            else
                missed += std::string(" '") + shown + "' (the clipboard held '" + text.value_or("nothing")
                    + "')";
        }
    }
    stop(app);
    stop(keeper);
    if (arrived == 5) {
        std::printf("PASS clipboard keeper: 5 of 5 copies arrived\n");
        return true;
    }
    std::printf("FAIL clipboard keeper: %d of 5 copies arrived; missing:%s\n", arrived,
        w ? missed.c_str() : " all, no window");
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
    // The German form: the decimal comma and the group point.
    setenv("LANG", "de_DE.UTF-8", 1);
    unsetenv("LC_ALL");
    unsetenv("LC_NUMERIC");
    signal(SIGPIPE, SIG_IGN);
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "FAIL: cannot open the display\n");
        return 1;
    }
    XSetErrorHandler(ignoreErrors);
    // Each case's lines go out at once, so that a run stopped from outside still shows them.
    setvbuf(stdout, nullptr, _IOLBF, 0);
    const Window me = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0);
    XSelectInput(d, me, PropertyChangeMask);

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
