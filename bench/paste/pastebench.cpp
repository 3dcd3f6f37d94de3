// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// How the window answers while a paste waits on a clipboard owner that takes its time, how
// long the keys typed behind the Ctrl+V are held, and whether copies reach xclipboard.
// Runs against the X server in $DISPLAY (tests/e2e/with-xvfb.sh), with no window manager:
//   tarvelio_pastebench [--rounds N] [PROGRAM]
//
// Each round starts the program, lets an owner process take the clipboard (the paste
// test's owners, tests/e2e/clipowner.h) and presses Ctrl+V, then "+", "1", "=" and Ctrl+C
// behind it, through XTEST (xdotool). From the Ctrl+V's press on, as it reaches the
// window, this program acts as the window manager: it sends _NET_WM_PING to the window
// every 20 ms, without waiting for the answers, and times each from its send to the
// answer's arrival. The keys behind the Ctrl+V are held while the paste is outstanding;
// "held" is the time from the Ctrl+V to the moment the Ctrl+C behind it has taken effect,
// when the program owns the clipboard (looked at every 5 ms), and there the pings stop.
// The readout copied then shows that the held keys came in order after the paste.
//
// The silent owner takes the clipboard and never answers: the program refuses the paste
// after its bound for an answer. The slow owner answers each request after 1.5 s. Last,
// with xclipboard keeping the clipboard, five numbers are typed and copied in turn.
#include "clipowner.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

using namespace std::chrono_literals;
using namespace e2e;

double msSince(Clock::time_point from, Clock::time_point to = Clock::now()) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

struct Round {
    std::string failure; // empty when the round could be measured
    std::vector<double> answers; // ms from each ping to its answer
    int unanswered = 0; // pings without an answer a second after the last was sent
    std::optional<double> heldMs; // none when the keys took no effect within 15 s
    std::string readout;
    std::vector<std::pair<std::string, double>> requests; // the owner's, ms after the Ctrl+V
};

// One paste from that owner; `before` is typed first.
Round pasteRound(Display* d, Window me, const char* program, const Owner& owner, const char* before) {
    Round r;
    pid_t app = startProgram(program);
    pid_t ownerProcess = -1;
    Report report;
    const Window w = app ? findWindow(d) : None;
    Window ownerWindow = None;
    if (!w)
        r.failure = "no mapped 218x169 window titled Tarvelio";
    else if (!run({"xdotool", "windowfocus", "--sync", std::to_string(w)})
        || (*before && !run({"xdotool", "type", "--delay", "4", before})))
        r.failure = "xdotool could not focus the window and type";
    else if (!(ownerWindow = startOwner(owner, ownerProcess, report)))
        r.failure = "the owner could not take the clipboard";
    if (!r.failure.empty()) {
        stop(app);
        stop(ownerProcess);
        return r;
    }

    const Window root = DefaultRootWindow(d);
    const Atom clipboard = atom(d, "CLIPBOARD");
    XSelectInput(d, root, SubstructureNotifyMask | SubstructureRedirectMask);
    // The pings carry server times: one read of the server's clock, and this clock after it.
    const Time serverStart = serverTime(d, me);
    const auto clockStart = Clock::now();
    std::map<Time, Clock::time_point> outstanding;
    const auto takeAnswer = [&](const XEvent& e) {
        if (const auto stamp = pingAnswered(d, e)) {
            if (auto sent = outstanding.find(*stamp); sent != outstanding.end()) {
                r.answers.push_back(msSince(sent->second));
                outstanding.erase(sent);
            }
        }
        return false;
    };

    // The Ctrl+V's time is its press as it reaches the window: key events go to every
    // client that selects them there, this one as well as the program.
    XSelectInput(d, w, KeyPressMask);
    const pid_t keys = spawn({"xdotool", "key", "--delay", "4", "ctrl+v", "plus", "1", "equal", "ctrl+c"});
    const bool pressed = keys && waitFor(d, Clock::now() + 5s, [&](const XEvent& e) {
        XKeyEvent key = e.xkey;
        return e.type == KeyPress && (key.state & ControlMask) && XLookupKeysym(&key, 0) == XK_v;
    });
    const auto pastedAt = Clock::now();
    XSelectInput(d, w, NoEventMask);
    std::optional<Clock::time_point> tookEffect;
    Time lastStamp = 0;
    for (auto nextPing = pastedAt; pressed && !tookEffect && Clock::now() < pastedAt + 15s;) {
        const auto now = Clock::now();
        if (now >= nextPing) {
            const Time stamp
                = std::max<Time>(lastStamp + 1, serverStart + static_cast<Time>(msSince(clockStart, now)));
            sendProtocol(d, w, "_NET_WM_PING", stamp);
            outstanding[stamp] = Clock::now();
            lastStamp = stamp;
            nextPing = std::max(nextPing + 20ms, now);
        }
        waitFor(d, std::min(nextPing, Clock::now() + 5ms), takeAnswer);
        const Window holder = XGetSelectionOwner(d, clipboard);
        if (holder != None && holder != ownerWindow)
            tookEffect = Clock::now();
        while (auto line = report.next(Clock::now()))
            r.requests.emplace_back(line->substr(8), msSince(pastedAt));
    }
    // The last pings' answers.
    for (auto end = Clock::now() + 1s; !outstanding.empty() && Clock::now() < end;)
        waitFor(d, std::min(end, Clock::now() + 20ms), takeAnswer);
    r.unanswered = static_cast<int>(outstanding.size());
    XSelectInput(d, root, NoEventMask);

    if (!succeeds(keys, 5s) || !pressed)
        r.failure = "xdotool could not type the keys";
    else if (tookEffect)
        r.heldMs = msSince(pastedAt, *tookEffect);
    r.readout
        = tookEffect ? readClipboard(d, me, Clock::now() + 5s).value_or("nothing") : "no copy within 15 s";
    stop(app);
    // The owner ends once the program has taken the clipboard.
    while (auto line = report.next(Clock::now() + 1s))
        r.requests.emplace_back(line->substr(8), -1);
    stop(ownerProcess);
    close(report.fd);
    return r;
}

double median(std::vector<double> v) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// The figures of one owner over the rounds; false when a round could not be measured.
bool reportOwner(const char* title, const std::vector<Round>& rounds, const char* expected) {
    std::printf("== %s, %zu round%s ==\n", title, rounds.size(), rounds.size() == 1 ? "" : "s");
    bool measured = true;
    std::vector<double> answers, held;
    int unanswered = 0, measuredRounds = 0;
    for (std::size_t i = 0; i < rounds.size(); ++i) {
        const Round& r = rounds[i];
        if (!r.failure.empty()) {
            std::printf("round %zu: %s\n", i + 1, r.failure.c_str());
            measured = false;
            continue;
        }
        answers.insert(answers.end(), r.answers.begin(), r.answers.end());
        unanswered += r.unanswered;
        ++measuredRounds;
        held.push_back(r.heldMs.value_or(-1));
        if (r.readout != expected)
            std::printf(
                "round %zu: the readout afterwards is '%s', not '%s'\n", i + 1, r.readout.c_str(), expected);
    }
    if (!measuredRounds)
        return false;
    const int late
        = static_cast<int>(std::count_if(answers.begin(), answers.end(), [](double a) { return a > 50; }));
    const double longest = answers.empty() ? 0 : *std::max_element(answers.begin(), answers.end());
    std::printf("pings, one every 20 ms: %zu sent, %d unanswered; longest answer %.2f ms, median %.2f ms, "
                "%d over 50 ms\n",
        answers.size() + static_cast<std::size_t>(unanswered), unanswered, longest, median(answers), late);
    std::printf("keys behind the Ctrl+V held (s), round by round:");
    for (double h : held) {
        if (h < 0)
            std::printf(" over 15");
        else
            std::printf(" %.3f", h / 1000);
    }
    if (std::find(held.begin(), held.end(), -1) == held.end())
        std::printf("; median %.3f, longest %.3f", median(held) / 1000,
            *std::max_element(held.begin(), held.end()) / 1000);
    std::printf("\n");
    const bool right
        = std::all_of(rounds.begin(), rounds.end(), [&](const Round& r) { return r.readout == expected; });
    std::printf("readout afterwards: %s\n", right ? expected : "wrong, see above");
    std::printf("the owner's requests in the first round, s after the Ctrl+V:");
    for (const auto& r : rounds.front().requests) {
        if (r.second < 0)
            std::printf(" %s (later)", r.first.c_str());
        else
            std::printf(" %s %.3f", r.first.c_str(), r.second / 1000);
    }
    std::printf("\n\n");
    return measured;
}

} // namespace

int main(int argc, char** argv) {
    int rounds = 3;
    const char* program = TARVELIO_PROGRAM;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--rounds") && i + 1 < argc) {
            rounds = std::max(1, std::atoi(argv[++i]));
        } else if (argv[i][0] != '-') {
            program = argv[i];
        } else {
            std::fprintf(stderr,
                "usage: tarvelio_pastebench [--rounds N] [PROGRAM]\n"
                "  runs against the X server in $DISPLAY, e.g. under tests/e2e/with-xvfb.sh\n");
            return 2;
        }
    }
    Window me = None;
    Display* d = openSession(me);
    if (!d) {
        std::fprintf(stderr, "tarvelio_pastebench: cannot open the display\n");
        return 1;
    }
    setvbuf(stdout, nullptr, _IOLBF, 0);

    const std::vector<std::string> utf8 {"UTF8_STRING"};
    // 42 before the paste: refused, the keys behind it make 43.
    const Owner silent {.formats = utf8, .text = "12,5", .silent = true};
    const Owner slow {.formats = utf8, .text = "12,5", .delay = 1500ms};
    std::vector<Round> silentRounds, slowRounds;
    for (int i = 0; i < rounds; ++i) {
        silentRounds.push_back(pasteRound(d, me, program, silent, "42"));
        slowRounds.push_back(pasteRound(d, me, program, slow, ""));
    }
    // Figures off their targets are reported, not failed; only what could not be measured is.
    bool measured = reportOwner("Paste from a silent owner (never answers)", silentRounds, "43,00");
    measured
        = reportOwner("Paste from a slow owner (each answer after 1.5 s)", slowRounds, "13,50") && measured;

    std::printf("== Copies with xclipboard running ==\n");
    const KeptCopies copies = copiesWithKeeper(d, me, program);
    if (!copies.keeperStarted)
        std::printf("xclipboard cannot start\n");
    else
        std::printf("%d of 5 copies arrived%s%s\n", copies.arrived, copies.arrived == 5 ? "" : "; missing:",
            copies.window ? copies.missed.c_str() : " all, no window");
    XCloseDisplay(d);
    return measured && copies.keeperStarted && copies.window ? 0 : 1;
}
