// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "clipowner.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>

extern char** environ;

namespace e2e {

using namespace std::chrono_literals;
using std::chrono::milliseconds;

namespace {

int ignoreErrors(Display*, XErrorEvent*) {
    return 0;
}

int msLeft(Clock::time_point deadline) {
    auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now()).count();
    return left < 0 ? 0 : static_cast<int>(left);
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

} // namespace

std::optional<std::string> Report::next(Clock::time_point deadline) {
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

Display* openSession(Window& me) {
    setenv("LANG", "de_DE.UTF-8", 1);
    unsetenv("LC_ALL");
    unsetenv("LC_NUMERIC");
    // An owner process that has ended must not end this one with its pipe.
    signal(SIGPIPE, SIG_IGN);
    Display* d = XOpenDisplay(nullptr);
    if (!d)
        return nullptr;
    XSetErrorHandler(ignoreErrors);
    me = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0);
    XSelectInput(d, me, PropertyChangeMask);
    return d;
}

Atom atom(Display* d, const char* name) {
    return XInternAtom(d, name, False);
}

bool readable(int fd, Clock::time_point deadline) {
    pollfd p {fd, POLLIN, 0};
    return poll(&p, 1, msLeft(deadline)) > 0;
}

bool waitFor(
    Display* d, Clock::time_point deadline, const std::function<bool(const XEvent&)>& match, XEvent* out) {
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

Window startOwner(const Owner& o, pid_t& pid, Report& report) {
    pid = -1;
    int fds[2] = {-1, -1};
    if (pipe(fds) == 0)
        pid = fork();
    if (pid == 0) {
        close(fds[0]);
        runOwner(o, fds[1]);
    }
    close(fds[1]);
    report.fd = fds[0];
    const auto ready = report.next(Clock::now() + 5s);
    return ready ? std::stoul(ready->substr(6)) : None;
}

pid_t spawn(std::vector<std::string> words) {
    std::vector<char*> args;
    for (auto& w : words)
        args.push_back(w.data());
    args.push_back(nullptr);
    pid_t child = 0;
    return posix_spawnp(&child, args[0], nullptr, nullptr, args.data(), environ) == 0 ? child : 0;
}

bool succeeds(pid_t child, Clock::duration limit) {
    if (child <= 0)
        return false;
    int status = 0;
    for (auto end = Clock::now() + limit; Clock::now() < end; std::this_thread::sleep_for(5ms)) {
        if (waitpid(child, &status, WNOHANG) == child)
            return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    kill(child, SIGKILL);
    waitpid(child, &status, 0);
    return false;
}

bool run(std::vector<std::string> words) {
    return succeeds(spawn(std::move(words)), 5s);
}

bool typeKeys(const std::vector<const char*>& keys) {
    std::vector<std::string> words {"xdotool", "key", "--delay", "4"};
    words.insert(words.end(), keys.begin(), keys.end());
    return run(std::move(words));
}

pid_t startProgram(const char* program) {
    pid_t child = 0;
    char* args[] = {const_cast<char*>(program), nullptr};
    return posix_spawn(&child, program, nullptr, nullptr, args, environ) == 0 ? child : 0;
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

void sendProtocol(Display* d, Window w, const char* protocol, Time stamp) {
    XEvent e {};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = atom(d, "WM_PROTOCOLS");
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(atom(d, protocol));
    e.xclient.data.l[1] = static_cast<long>(stamp);
    e.xclient.data.l[2] = static_cast<long>(w);
    XSendEvent(d, w, False, NoEventMask, &e);
    XFlush(d);
}

std::optional<Time> pingAnswered(Display* d, const XEvent& x) {
    if (x.type == ClientMessage && x.xclient.window == DefaultRootWindow(d)
        && x.xclient.message_type == atom(d, "WM_PROTOCOLS")
        && static_cast<Atom>(x.xclient.data.l[0]) == atom(d, "_NET_WM_PING"))
        return static_cast<Time>(x.xclient.data.l[1]);
    return std::nullopt;
}

KeptCopies copiesWithKeeper(Display* d, Window me, const char* program) {
    KeptCopies result;
    pid_t keeper = spawn({"xclipboard"});
    if (!keeper)
        return result;
    result.keeperStarted = true;
    auto end = Clock::now() + 5s;
    while (XGetSelectionOwner(d, atom(d, "CLIPBOARD")) == None && Clock::now() < end)
        std::this_thread::sleep_for(20ms);
    pid_t app = startProgram(program);
    const Window w = app ? findWindow(d) : None;
    result.window = w != None;
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
                ++result.arrived;
            else
                result.missed += std::string(" '") + shown + "' (the clipboard held '"
                    + text.value_or("nothing") + "')";
        }
    }
    stop(app);
    stop(keeper);
    return result;
}

} // namespace e2e
