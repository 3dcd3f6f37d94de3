// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the paste test (paste_owners.cpp) and the paste benchmark (bench/paste) share to
// drive the built program on the X server in $DISPLAY: clipboard owners in processes of
// their own, the window manager's ping, the program's window, keys through XTEST
// (xdotool), the clipboard's text, and copies with xclipboard running.
#pragma once

#include <X11/Xlib.h>

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace e2e {

using Clock = std::chrono::steady_clock;

// What a clipboard owner offers and how it answers.
struct Owner {
    std::vector<std::string> formats; // offered in TARGETS besides TARGETS itself
    std::string text; // the answer to each of them
    std::chrono::milliseconds delay {1000}; // before each answer: the paste stays outstanding
    bool silent = false; // takes the clipboard and answers nothing
    bool refuseTargets = false;
    bool refuseText = false;
    std::size_t chunk = 0; // above 0: an INCR transfer in pieces of this size
    bool dieAfterChunk = false; // ends the process after the first piece
};

// The lines an owner process reports, as they come: "ready WINDOW" once it holds the
// clipboard, then "request TARGET" for every request as it arrives.
struct Report {
    int fd = -1;
    std::string buffer;

    // The next line, or nothing when none came by the deadline or the owner has ended.
    std::optional<std::string> next(Clock::time_point deadline);
};

// Opens the display in $DISPLAY for this process, with X errors ignored, and makes `me`, a
// window of its own that receives the clipboard's properties. The programs it starts write
// numbers in the German form (decimal comma, group point). Nothing where the display cannot
// be opened.
Display* openSession(Window& me);

Atom atom(Display* d, const char* name);

// Whether the descriptor has something to read before the deadline.
bool readable(int fd, Clock::time_point deadline);

// Waits for an event that matches, until the deadline. Events that do not match are
// dropped, but while this process holds the window manager's redirection, the requests
// it redirects are granted as asked.
bool waitFor(Display* d, Clock::time_point deadline, const std::function<bool(const XEvent&)>& match,
    XEvent* out = nullptr);

// The clipboard's text as UTF8_STRING, whole transfers and INCR ones.
std::optional<std::string> readClipboard(Display* d, Window me, Clock::time_point deadline);

// The X server's time now, for the timestamp a window manager puts into its ping.
Time serverTime(Display* d, Window me);

// Forks an owner process that takes the clipboard and answers as `o` says; its lines come
// through `report`, and `pid` is its process (-1 where none could start). The owner's
// window once it holds the clipboard, None otherwise. The owner ends when it loses the
// clipboard, and after a minute in any case.
Window startOwner(const Owner& o, pid_t& pid, Report& report);

// Starts a command found on the PATH without waiting for it; 0 where it cannot start.
pid_t spawn(std::vector<std::string> words);
// Waits for a command at most `limit`, and ends it after that; true when it succeeded.
bool succeeds(pid_t child, Clock::duration limit);
// Runs a command and waits for it, at most five seconds.
bool run(std::vector<std::string> words);
// Presses keys named as xdotool names them, through XTEST.
bool typeKeys(const std::vector<const char*>& keys);

pid_t startProgram(const char* program);
// Ends a process started here: SIGTERM, and SIGKILL after three seconds.
void stop(pid_t& child);

// The program's main window: mapped, titled Tarvelio, with the 218 x 169 client area
// (helper windows may carry the title too). Waits up to ten seconds for it.
Window findWindow(Display* d);

// Sends a window manager message (WM_PROTOCOLS: _NET_WM_PING, WM_DELETE_WINDOW) with that
// timestamp to the window, as a window manager does.
void sendProtocol(Display* d, Window w, const char* protocol, Time stamp);
// The timestamp of the ping that the event answers, when it is a program's answer to one.
// Only a client that selects SubstructureNotify or SubstructureRedirect on the root, as a
// window manager does, receives the answers.
std::optional<Time> pingAnswered(Display* d, const XEvent& e);

// With xclipboard keeping the clipboard, five numbers typed into the program and copied in
// turn: how many of them arrived there, and what the clipboard held instead of the others.
struct KeptCopies {
    bool keeperStarted = false;
    bool window = false; // the program's window was found
    int arrived = 0;
    std::string missed;
};
KeptCopies copiesWithKeeper(Display* d, Window me, const char* program);

} // namespace e2e
