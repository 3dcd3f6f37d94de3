// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Start-up, footprint, idle cost and key latency of X11 programs, measured from outside
// through the X protocol on a private Xvfb with no window manager.
//
// Start-up: the clock is read just before posix_spawn. "mapped" is the arrival of the
// first MapNotify of a top-level window (SubstructureNotify on the root). Every top-level
// window gets a DAMAGE object in raw-rectangle mode as soon as its CreateNotify arrives;
// "first damage" is the first damage after the map, and "painted" is the last damage
// before the window has been quiet for the settle time (50 ms): the end of the first
// paint. "CPU to painted" is the time every thread of the program spent on a CPU by then
// (/proc/PID/task/*/schedstat), which other load on the machine disturbs far less than
// the wall-clock figures. One second after the map the footprint is read from
// /proc/PID/smaps_rollup, and then the program is left alone for the idle window (3 s):
// CPU time from /proc/PID/stat and /proc/PID/task/*/schedstat, and voluntary context
// switches (wake-ups) summed over every thread's /proc/PID/task/TID/status: the status
// of the process itself counts its main thread only.
//
// Keys: the window gets the X input focus; each key is a real press through XTEST, timed
// from the send to the first damage on the window after it. The release follows once the
// window is quiet.
//
// Programs run round-robin in one session, the order rotating every round (A B C, B C A,
// ...), after one discarded warm-up round. Only the process started here is ever killed.
#include <xcb/damage.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

double msBetween(Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration<double, std::milli>(b - a).count();
}

[[noreturn]] void die(const std::string& what) {
    std::fprintf(stderr, "tarvelio_startbench: %s\n", what.c_str());
    std::exit(1);
}

struct Options {
    int rounds = 11;
    int warmup = 1;
    int keyRounds = 7;
    int keyRepeats = 3; // times through the key sequence per round
    double idleSeconds = 3;
    int settleMs = 50;
    bool startup = true;
    bool keys = true;
    bool raw = false;
    bool withXcalc = true;
    int nice = 0; // for this program, Xvfb and the programs measured
    std::vector<std::pair<std::string, std::string>> programs; // name, command line
};

void usage() {
    std::puts("usage: tarvelio_startbench [options]\n"
              "  --rounds N        measured start-up rounds (default 11; one warm-up round first)\n"
              "  --key-rounds N    measured key rounds (default 7; one warm-up round first)\n"
              "  --key-repeats N   times through the keys 1..9 c per key round (default 3)\n"
              "  --warmup N        discarded warm-up rounds (default 1)\n"
              "  --idle SECONDS    idle window after the footprint (default 3)\n"
              "  --settle MS       quiet time that ends a paint (default 50)\n"
              "  --only startup|keys\n"
              "  --no-xcalc        leave out the classic reference\n"
              "  --nice N          scheduling priority of the whole session (e.g. -10 as root keeps\n"
              "                    other work on the machine from adding its noise)\n"
              "  --tarvelio CMD    the calculator to measure (default: the one built with this)\n"
              "  --floor CMD       the toolkit floor (default: the one built with this)\n"
              "  --add NAME=CMD    one more program, e.g. a variant of the calculator; CMD is split\n"
              "                    at blanks, so 'env QT_STYLE_OVERRIDE=windows path' works\n"
              "  --raw             print every sample");
}

std::vector<std::string> splitBlanks(const std::string& s) {
    std::istringstream in(s);
    std::vector<std::string> out;
    for (std::string word; in >> word;)
        out.push_back(word);
    return out;
}

std::optional<std::string> inPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::istringstream dirs(path ? path : "/usr/bin:/bin");
    for (std::string dir; std::getline(dirs, dir, ':');) {
        const std::string candidate = dir + "/" + name;
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return std::nullopt;
}

// ---------------------------------------------------------------------------------------
// Processes

// Descriptors without close-on-exec are inherited: Xvfb's -displayfd relies on that.
pid_t spawn(const std::vector<std::string>& argv, const std::vector<std::string>& env, int outFd) {
    std::vector<char*> args, envp;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    for (const auto& e : env)
        envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, outFd, 1);
    posix_spawn_file_actions_adddup2(&actions, outFd, 2);
    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        die("cannot start " + argv[0] + ": " + std::strerror(rc));
    return pid;
}

// Ends a process started here: SIGTERM, then SIGKILL if it has not gone after two seconds.
void stop(pid_t pid) {
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    for (auto until = Clock::now() + 2s; Clock::now() < until;) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        std::this_thread::sleep_for(5ms);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

bool exited(pid_t pid) {
    return waitpid(pid, nullptr, WNOHANG) == pid;
}

std::string slurp(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The value after "Key:" in a /proc key-value file, as a number.
std::optional<double> field(const std::string& text, const std::string& key) {
    const std::string needle = "\n" + key + ":";
    auto at = ("\n" + text).find(needle);
    if (at == std::string::npos)
        return std::nullopt;
    return std::strtod(text.c_str() + at + key.size() + 1, nullptr);
}

struct Footprint {
    double rssKb = 0, pssKb = 0, privateDirtyKb = 0;
};

Footprint footprint(pid_t pid) {
    const std::string t = slurp("/proc/" + std::to_string(pid) + "/smaps_rollup");
    return {field(t, "Rss").value_or(NAN), field(t, "Pss").value_or(NAN),
        field(t, "Private_Dirty").value_or(NAN)};
}

std::vector<std::string> threads(pid_t pid) {
    std::vector<std::string> out;
    const std::string dir = "/proc/" + std::to_string(pid) + "/task";
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* e = readdir(d)) {
            if (e->d_name[0] != '.')
                out.push_back(dir + "/" + e->d_name);
        }
        closedir(d);
    }
    return out;
}

struct CpuCounters {
    double statMs = 0; // utime + stime of the whole process, in clock ticks' resolution
    double schedUs = 0; // time on the CPU of every thread, from the scheduler
    double wakeups = 0; // voluntary context switches of every thread
};

CpuCounters cpuCounters(pid_t pid) {
    CpuCounters c;
    const std::string stat = slurp("/proc/" + std::to_string(pid) + "/stat");
    // The command name may hold blanks; the fields after it are counted from its ')'.
    if (auto close = stat.rfind(')'); close != std::string::npos) {
        std::istringstream in(stat.substr(close + 2));
        std::vector<std::string> f;
        for (std::string w; in >> w;)
            f.push_back(w);
        // After the name: state(3) ... utime(14) stime(15), so indices 11 and 12 here.
        if (f.size() > 12)
            c.statMs = (std::stod(f[11]) + std::stod(f[12])) * 1000.0 / double(sysconf(_SC_CLK_TCK));
    }
    for (const auto& task : threads(pid)) {
        std::istringstream sched(slurp(task + "/schedstat"));
        double ns = 0;
        sched >> ns;
        c.schedUs += ns / 1000.0;
        c.wakeups += field(slurp(task + "/status"), "voluntary_ctxt_switches").value_or(0);
    }
    return c;
}

// ---------------------------------------------------------------------------------------
// The X server and the connection to it

class XServer {
public:
    XServer() {
        int fds[2];
        if (pipe(fds) != 0)
            die("pipe");
        const int devnull = open("/dev/null", O_WRONLY);
        std::vector<std::string> argv {"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0",
            "1280x1024x24", "-nolisten", "tcp", "-noreset"};
        std::vector<std::string> env;
        for (char** e = environ; *e; ++e)
            env.emplace_back(*e);
        m_pid = spawn(argv, env, devnull);
        close(devnull);
        close(fds[1]);
        std::string number;
        char ch;
        pollfd p {fds[0], POLLIN, 0};
        while (poll(&p, 1, 10000) > 0 && read(fds[0], &ch, 1) == 1 && ch != '\n')
            number += ch;
        close(fds[0]);
        if (number.empty())
            die("Xvfb did not start");
        m_display = ":" + number;
    }
    ~XServer() { stop(m_pid); }
    const std::string& display() const { return m_display; }

private:
    pid_t m_pid = 0;
    std::string m_display;
};

struct Event {
    std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> ev {nullptr, &std::free};
    Clock::time_point at;
    explicit operator bool() const { return ev != nullptr; }
    std::uint8_t type() const { return ev->response_type & 0x7f; }
};

class Connection {
public:
    explicit Connection(const std::string& display) {
        m_c = xcb_connect(display.c_str(), nullptr);
        if (xcb_connection_has_error(m_c))
            die("cannot connect to " + display);
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_c)).data->root;

        const auto* damage = xcb_get_extension_data(m_c, &xcb_damage_id);
        if (!damage || !damage->present)
            die("the X server has no DAMAGE extension");
        m_damageEvent = damage->first_event + XCB_DAMAGE_NOTIFY;
        std::free(xcb_damage_query_version_reply(m_c, xcb_damage_query_version(m_c, 1, 1), nullptr));
        const auto* xtest = xcb_get_extension_data(m_c, &xcb_test_id);
        if (!xtest || !xtest->present)
            die("the X server has no XTEST extension");
        std::free(xcb_test_get_version_reply(m_c, xcb_test_get_version(m_c, 2, 2), nullptr));

        const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_c, m_root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(m_c);
        loadKeycodes();
    }
    ~Connection() { xcb_disconnect(m_c); }

    xcb_connection_t* c() const { return m_c; }
    xcb_window_t root() const { return m_root; }
    std::uint8_t damageEvent() const { return m_damageEvent; }

    // The next event, or none once the deadline has passed. The time is that of its reading.
    Event next(Clock::time_point deadline) {
        Event e;
        for (;;) {
            if (xcb_generic_event_t* ev = xcb_poll_for_event(m_c)) {
                e.ev.reset(ev);
                e.at = Clock::now();
                return e;
            }
            if (xcb_connection_has_error(m_c))
                die("lost the X connection");
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() < 0)
                return e;
            pollfd p {xcb_get_file_descriptor(m_c), POLLIN, 0};
            // Rounding up keeps the loop from spinning on a sub-millisecond remainder.
            poll(&p, 1, static_cast<int>(left.count()) + 1);
        }
    }

    // Events are read and dropped until the deadline.
    void drainUntil(Clock::time_point deadline) {
        while (next(deadline)) { }
    }

    void watchDamage(xcb_window_t w) {
        const xcb_damage_damage_t d = xcb_generate_id(m_c);
        xcb_damage_create(m_c, d, w, XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
        xcb_flush(m_c);
    }

    std::optional<xcb_keycode_t> keycode(xcb_keysym_t sym) const {
        auto it = m_keycodes.find(sym);
        return it == m_keycodes.end() ? std::nullopt : std::optional(it->second);
    }

    void key(bool press, xcb_keycode_t code) {
        xcb_test_fake_input(
            m_c, press ? XCB_KEY_PRESS : XCB_KEY_RELEASE, code, XCB_CURRENT_TIME, m_root, 0, 0, 0);
        xcb_flush(m_c);
    }

private:
    void loadKeycodes() {
        const xcb_setup_t* setup = xcb_get_setup(m_c);
        const int first = setup->min_keycode, count = setup->max_keycode - setup->min_keycode + 1;
        auto* reply = xcb_get_keyboard_mapping_reply(m_c,
            xcb_get_keyboard_mapping(m_c, setup->min_keycode, static_cast<std::uint8_t>(count)), nullptr);
        if (!reply)
            die("no keyboard mapping");
        const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(reply);
        for (int i = 0; i < count; ++i) {
            const xcb_keysym_t sym = syms[i * reply->keysyms_per_keycode];
            if (sym && !m_keycodes.contains(sym))
                m_keycodes[sym] = static_cast<xcb_keycode_t>(first + i);
        }
        std::free(reply);
    }

    xcb_connection_t* m_c = nullptr;
    xcb_window_t m_root = 0;
    std::uint8_t m_damageEvent = 0;
    std::map<xcb_keysym_t, xcb_keycode_t> m_keycodes;
};

// ---------------------------------------------------------------------------------------
// One run of one program

struct Program {
    std::string name;
    std::vector<std::string> argv;
    bool takesKeys = false;
};

struct StartSample {
    double mappedMs = NAN, firstDamageMs = NAN, paintedMs = NAN;
    double cpuToPaintedMs = NAN; // every thread's time on the CPU until the paint settled
    Footprint mem;
    double idleCpuMs = NAN, idleSchedUs = NAN, idleWakeups = NAN, idleDamages = NAN;
};

class Run {
public:
    Run(Connection& x, const Program& p, const std::vector<std::string>& env, int settleMs)
        : m_x(x)
        , m_settle(std::chrono::milliseconds(settleMs)) {
        m_x.drainUntil(Clock::now());
        const int devnull = open("/dev/null", O_WRONLY);
        m_start = Clock::now();
        m_pid = spawn(p.argv, env, devnull);
        close(devnull);
    }
    ~Run() {
        stop(m_pid);
        // Let the server tear the windows down before the next program starts.
        if (m_window) {
            for (auto until = Clock::now() + 2s; Clock::now() < until;) {
                Event e = m_x.next(until);
                if (e && e.type() == XCB_DESTROY_NOTIFY
                    && reinterpret_cast<xcb_destroy_notify_event_t*>(e.ev.get())->window == m_window)
                    break;
            }
        }
        m_x.drainUntil(Clock::now() + 20ms);
    }

    pid_t pid() const { return m_pid; }
    xcb_window_t window() const { return m_window; }
    Clock::time_point start() const { return m_start; }
    Clock::time_point mappedAt() const { return m_mappedAt; }

    // Handles one event: new top-level windows get a damage object, the first map is
    // noted. Returns the time of a damage on the mapped window, if it was one.
    std::optional<Clock::time_point> handle(const Event& e) {
        const std::uint8_t type = e.type();
        if (type == XCB_CREATE_NOTIFY) {
            const auto* ev = reinterpret_cast<xcb_create_notify_event_t*>(e.ev.get());
            if (ev->parent == m_x.root() && !ev->override_redirect)
                m_x.watchDamage(ev->window);
        } else if (type == XCB_MAP_NOTIFY) {
            const auto* ev = reinterpret_cast<xcb_map_notify_event_t*>(e.ev.get());
            if (!m_window && ev->event == m_x.root() && !ev->override_redirect) {
                m_window = ev->window;
                m_mappedAt = e.at;
            }
        } else if (type == m_x.damageEvent()) {
            const auto* ev = reinterpret_cast<xcb_damage_notify_event_t*>(e.ev.get());
            if (m_window && ev->drawable == m_window)
                return e.at;
        }
        return std::nullopt;
    }

    // Waits for the first map; false if the program ended or took more than 20 s.
    bool waitMapped() {
        const auto deadline = Clock::now() + 20s;
        while (!m_window) {
            Event e = m_x.next(std::min(deadline, Clock::now() + 100ms));
            if (e) {
                if (auto at = handle(e))
                    m_damages.push_back(*at);
            } else if (exited(m_pid)) {
                m_pid = 0; // reaped already: nothing left to stop
                return false;
            } else if (Clock::now() >= deadline) {
                return false;
            }
        }
        return true;
    }

    // Waits for a damage and then for the window to be quiet for the settle time; returns
    // the first and the last damage, or nothing if none came before the deadline.
    std::optional<std::pair<Clock::time_point, Clock::time_point>> waitPaint(Clock::time_point deadline) {
        std::optional<Clock::time_point> first, last;
        if (!m_damages.empty()) {
            first = m_damages.front();
            last = m_damages.back();
            m_damages.clear();
        }
        for (;;) {
            const auto until = last ? std::min(deadline, *last + m_settle) : deadline;
            Event e = m_x.next(until);
            if (!e) {
                if (!first)
                    return std::nullopt;
                return std::pair(*first, *last);
            }
            if (auto at = handle(e)) {
                if (!first)
                    first = at;
                last = at;
            }
        }
    }

    // Reads events until the deadline, counting damages on the window.
    int idleUntil(Clock::time_point deadline) {
        int damages = 0;
        while (Event e = m_x.next(deadline))
            damages += handle(e).has_value();
        return damages;
    }

private:
    Connection& m_x;
    Clock::duration m_settle;
    pid_t m_pid = 0;
    Clock::time_point m_start, m_mappedAt;
    xcb_window_t m_window = 0;
    std::vector<Clock::time_point> m_damages;
};

std::optional<StartSample> measureStart(
    Connection& x, const Program& p, const std::vector<std::string>& env, const Options& o) {
    Run run(x, p, env, o.settleMs);
    if (!run.waitMapped()) {
        std::fprintf(stderr, "%s: no window was mapped\n", p.name.c_str());
        return std::nullopt;
    }
    StartSample s;
    s.mappedMs = msBetween(run.start(), run.mappedAt());
    if (auto paint = run.waitPaint(run.mappedAt() + 10s)) {
        s.firstDamageMs = msBetween(run.start(), paint->first);
        s.paintedMs = msBetween(run.start(), paint->second);
        s.cpuToPaintedMs = cpuCounters(run.pid()).schedUs / 1000;
    }
    run.idleUntil(run.mappedAt() + 1s);
    s.mem = footprint(run.pid());
    const CpuCounters before = cpuCounters(run.pid());
    const int damages = run.idleUntil(Clock::now()
        + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(o.idleSeconds)));
    const CpuCounters after = cpuCounters(run.pid());
    s.idleCpuMs = after.statMs - before.statMs;
    s.idleSchedUs = after.schedUs - before.schedUs;
    s.idleWakeups = after.wakeups - before.wakeups;
    s.idleDamages = damages;
    return s;
}

// The keys change the calculator's readout every time: nine digits, then C.
constexpr xcb_keysym_t kKeys[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9', 'c'};

struct KeyResult {
    std::vector<double> latenciesMs;
    int missed = 0;
};

void measureKeys(
    Connection& x, const Program& p, const std::vector<std::string>& env, const Options& o, KeyResult& out) {
    Run run(x, p, env, o.settleMs);
    if (!run.waitMapped() || !run.waitPaint(run.mappedAt() + 10s)) {
        std::fprintf(stderr, "%s: no window was painted\n", p.name.c_str());
        return;
    }
    xcb_set_input_focus(x.c(), XCB_INPUT_FOCUS_POINTER_ROOT, run.window(), XCB_CURRENT_TIME);
    xcb_flush(x.c());
    // Taking the focus repaints the focused control; that paint is no key's.
    run.waitPaint(Clock::now() + 300ms);
    run.idleUntil(Clock::now() + 100ms);
    for (int r = 0; r < o.keyRepeats; ++r) {
        for (xcb_keysym_t sym : kKeys) {
            const auto code = x.keycode(sym);
            if (!code)
                die("no key for keysym " + std::to_string(sym));
            const auto sent = Clock::now();
            x.key(true, *code);
            const auto paint = run.waitPaint(sent + 1s);
            if (paint)
                out.latenciesMs.push_back(msBetween(sent, paint->first));
            else
                ++out.missed;
            x.key(false, *code);
            run.waitPaint(Clock::now() + std::chrono::milliseconds(o.settleMs));
        }
    }
}

// ---------------------------------------------------------------------------------------
// Statistics and the report

struct Stats {
    double median = NAN, min = NAN, max = NAN;
    std::size_t n = 0;
};

Stats stats(std::vector<double> v) {
    std::erase_if(v, [](double d) { return std::isnan(d); });
    Stats s;
    s.n = v.size();
    if (v.empty())
        return s;
    std::sort(v.begin(), v.end());
    const std::size_t m = v.size() / 2;
    s.median = v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2;
    s.min = v.front();
    s.max = v.back();
    return s;
}

std::string cell(const Stats& s, int decimals) {
    if (s.n == 0)
        return "-";
    char buf[96];
    std::snprintf(buf, sizeof buf, "%.*f (%.*f-%.*f)", decimals, s.median, decimals, s.min, decimals, s.max);
    return buf;
}

std::vector<std::string> childEnvironment(const std::string& display, const std::string& runtimeDir) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string v = *e;
        const auto name = v.substr(0, v.find('='));
        if (name != "DISPLAY" && name != "WAYLAND_DISPLAY" && name != "QT_QPA_PLATFORM"
            && name != "XDG_SESSION_TYPE" && name != "XDG_RUNTIME_DIR")
            env.push_back(v);
    }
    env.push_back("DISPLAY=" + display);
    env.push_back("QT_QPA_PLATFORM=xcb");
    env.push_back("XDG_RUNTIME_DIR=" + runtimeDir);
    return env;
}

Options parse(int argc, char** argv) {
    Options o;
    std::string tarvelio = TARVELIO_PROGRAM, floor = FLOOR_PROGRAM;
    std::vector<std::pair<std::string, std::string>> extra;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc)
                die(a + " needs a value");
            return argv[++i];
        };
        if (a == "--rounds")
            o.rounds = std::stoi(value());
        else if (a == "--key-rounds")
            o.keyRounds = std::stoi(value());
        else if (a == "--key-repeats")
            o.keyRepeats = std::stoi(value());
        else if (a == "--warmup")
            o.warmup = std::stoi(value());
        else if (a == "--idle")
            o.idleSeconds = std::stod(value());
        else if (a == "--settle")
            o.settleMs = std::stoi(value());
        else if (a == "--only") {
            const std::string what = value();
            o.startup = what == "startup";
            o.keys = what == "keys";
            if (!o.startup && !o.keys)
                die("--only takes startup or keys");
        } else if (a == "--nice")
            o.nice = std::stoi(value());
        else if (a == "--no-xcalc")
            o.withXcalc = false;
        else if (a == "--tarvelio")
            tarvelio = value();
        else if (a == "--floor")
            floor = value();
        else if (a == "--add") {
            const std::string v = value();
            const auto eq = v.find('=');
            if (eq == std::string::npos || eq == 0)
                die("--add takes NAME=COMMAND");
            extra.emplace_back(v.substr(0, eq), v.substr(eq + 1));
        } else if (a == "--raw")
            o.raw = true;
        else if (a == "--help" || a == "-h") {
            usage();
            std::exit(0);
        } else {
            usage();
            die("unknown option " + a);
        }
    }
    if (o.rounds < 1 || o.keyRounds < 1 || o.warmup < 0 || o.keyRepeats < 1)
        die("rounds must be at least 1");
    o.programs = {{"tarvelio", tarvelio}, {"floor", floor}};
    o.programs.insert(o.programs.end(), extra.begin(), extra.end());
    return o;
}

// Round r of n programs runs them starting at r mod n: A B C, B C A, C A B, ...
std::vector<std::size_t> rotation(std::size_t n, int round) {
    std::vector<std::size_t> order(n);
    for (std::size_t i = 0; i < n; ++i)
        order[i] = (i + static_cast<std::size_t>(round)) % n;
    return order;
}

void reportStart(const std::vector<Program>& programs, const std::vector<std::vector<StartSample>>& samples) {
    struct Metric {
        const char* label;
        int decimals;
        double (*get)(const StartSample&);
    };
    const Metric metrics[] = {
        {"mapped (ms)", 1, [](const StartSample& s) { return s.mappedMs; }},
        {"first damage (ms)", 1, [](const StartSample& s) { return s.firstDamageMs; }},
        {"painted (ms)", 1, [](const StartSample& s) { return s.paintedMs; }},
        {"CPU to painted (ms)", 1, [](const StartSample& s) { return s.cpuToPaintedMs; }},
        {"RSS (MiB)", 2, [](const StartSample& s) { return s.mem.rssKb / 1024; }},
        {"PSS (MiB)", 2, [](const StartSample& s) { return s.mem.pssKb / 1024; }},
        {"Private_Dirty (MiB)", 2, [](const StartSample& s) { return s.mem.privateDirtyKb / 1024; }},
        {"idle CPU, stat (ms)", 0, [](const StartSample& s) { return s.idleCpuMs; }},
        {"idle CPU, sched (us)", 0, [](const StartSample& s) { return s.idleSchedUs; }},
        {"idle wake-ups", 0, [](const StartSample& s) { return s.idleWakeups; }},
        {"idle damages", 0, [](const StartSample& s) { return s.idleDamages; }},
    };
    auto column = [&](std::size_t p, const Metric& m) {
        std::vector<double> v;
        for (const auto& s : samples[p])
            v.push_back(m.get(s));
        return stats(v);
    };
    std::printf("%-22s", "median (min-max)");
    for (const auto& p : programs)
        std::printf(" %-24s", p.name.c_str());
    std::printf("\n");
    for (const auto& m : metrics) {
        std::printf("%-22s", m.label);
        for (std::size_t p = 0; p < programs.size(); ++p)
            std::printf(" %-24s", cell(column(p, m), m.decimals).c_str());
        std::printf("\n");
    }
    std::printf("%-22s", "samples");
    for (std::size_t p = 0; p < programs.size(); ++p)
        std::printf(" %-24zu", samples[p].size());
    std::printf("\n\n");

    auto index = [&](const std::string& name) -> std::optional<std::size_t> {
        for (std::size_t i = 0; i < programs.size(); ++i) {
            if (programs[i].name == name)
                return i;
        }
        return std::nullopt;
    };
    const auto t = index("tarvelio");
    for (std::size_t other = 0; other < programs.size(); ++other) {
        if (!t || other == *t)
            continue;
        for (int m = 0; m < 4; ++m) {
            const double a = column(*t, metrics[m]).median, b = column(other, metrics[m]).median;
            std::printf("tarvelio/%-12s %-18s %.2f\n", programs[other].name.c_str(), metrics[m].label, a / b);
        }
        for (int m = 4; m < 7; ++m) {
            const double a = column(*t, metrics[m]).median, b = column(other, metrics[m]).median;
            std::printf(
                "tarvelio-%-12s %-18s %+.2f MiB\n", programs[other].name.c_str(), metrics[m].label, a - b);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    const Options o = parse(argc, argv);
    std::signal(SIGPIPE, SIG_IGN);
    // Set before anything starts, the priority passes on to Xvfb and every program measured.
    if (o.nice != 0 && setpriority(PRIO_PROCESS, 0, o.nice) != 0)
        die("cannot set the priority to " + std::to_string(o.nice) + ": " + std::strerror(errno));

    std::vector<Program> programs;
    for (const auto& [name, command] : o.programs)
        programs.push_back({name, splitBlanks(command), true});
    std::vector<std::string> missing;
    if (o.withXcalc) {
        if (auto xcalc = inPath("xcalc"))
            programs.push_back({"xcalc", {*xcalc}, false});
        else
            missing.emplace_back("xcalc");
    }
    // Other desktop calculators only where they are installed already.
    for (const char* name : {"galculator", "speedcrunch"}) {
        if (auto path = inPath(name))
            programs.push_back({name, {*path}, false});
        else
            missing.emplace_back(name);
    }
    for (const auto& p : programs) {
        if (p.argv.empty() || (access(p.argv[0].c_str(), X_OK) != 0 && !inPath(p.argv[0])))
            die("cannot run " + p.name + ": " + (p.argv.empty() ? std::string("(empty)") : p.argv[0]));
    }

    // A program linked a moment ago lies in the page cache as dirty pages, which
    // smaps_rollup counts as its Private_Dirty until they are written back.
    sync();

    char runtimeTemplate[] = "/tmp/tarvelio-bench-XXXXXX";
    if (!mkdtemp(runtimeTemplate))
        die("cannot make a runtime directory");
    const std::string runtimeDir = runtimeTemplate;

    XServer server;
    Connection x(server.display());
    const auto env = childEnvironment(server.display(), runtimeDir);

    std::printf(
        "Private Xvfb %s, no window manager; %d measured round(s) after %d warm-up, idle window %.1f s, "
        "settle %d ms, nice %d\n",
        server.display().c_str(), o.rounds, o.warmup, o.idleSeconds, o.settleMs, o.nice);
    for (const auto& p : programs) {
        std::string cmd;
        for (const auto& a : p.argv)
            cmd += (cmd.empty() ? "" : " ") + a;
        std::printf("  %-12s %s\n", p.name.c_str(), cmd.c_str());
    }
    if (!missing.empty()) {
        std::printf("  not installed, left out:");
        for (const auto& m : missing)
            std::printf(" %s", m.c_str());
        std::printf("\n");
    }
    std::printf("\n");
    std::fflush(stdout);

    if (o.startup) {
        std::vector<std::vector<StartSample>> samples(programs.size());
        for (int round = 0; round < o.warmup + o.rounds; ++round) {
            const bool warm = round < o.warmup;
            for (std::size_t p : rotation(programs.size(), round)) {
                auto s = measureStart(x, programs[p], env, o);
                if (!s)
                    continue;
                if (o.raw)
                    std::printf("%s round %d %-12s mapped %.1f first %.1f painted %.1f cpu %.1f ms  RSS %.0f "
                                "PSS %.0f dirty %.0f KiB  idle %.0f ms %.0f us %.0f wake-ups %.0f damages\n",
                        warm ? "warm-up" : "start", round, programs[p].name.c_str(), s->mappedMs,
                        s->firstDamageMs, s->paintedMs, s->cpuToPaintedMs, s->mem.rssKb, s->mem.pssKb,
                        s->mem.privateDirtyKb, s->idleCpuMs, s->idleSchedUs, s->idleWakeups, s->idleDamages);
                if (!warm)
                    samples[p].push_back(*s);
            }
            std::fflush(stdout);
        }
        std::printf("== Start-up and footprint ==\n");
        reportStart(programs, samples);
        std::printf("\n");
        std::fflush(stdout);
    }

    if (o.keys) {
        std::vector<std::size_t> keyed;
        for (std::size_t p = 0; p < programs.size(); ++p) {
            if (programs[p].takesKeys)
                keyed.push_back(p);
        }
        std::vector<KeyResult> results(programs.size());
        for (int round = 0; round < o.warmup + o.keyRounds; ++round) {
            for (std::size_t i : rotation(keyed.size(), round)) {
                const std::size_t p = keyed[i];
                KeyResult r;
                measureKeys(x, programs[p], env, o, r);
                if (o.raw) {
                    const Stats s = stats(r.latenciesMs);
                    std::printf("%s round %d %-12s keys %zu missed %d median %.3f ms\n",
                        round < o.warmup ? "warm-up" : "keys", round, programs[p].name.c_str(), s.n, r.missed,
                        s.median);
                }
                if (round >= o.warmup) {
                    auto& all = results[p];
                    all.latenciesMs.insert(all.latenciesMs.end(), r.latenciesMs.begin(), r.latenciesMs.end());
                    all.missed += r.missed;
                }
            }
        }
        std::printf("== Key latency: XTEST press to the first damage ==\n");
        std::printf("%-12s %8s %8s %10s %10s %10s %10s\n", "program", "presses", "missed", "median ms",
            "min ms", "p90 ms", "max ms");
        std::optional<double> tarvelioMedian;
        for (std::size_t p : keyed) {
            auto v = results[p].latenciesMs;
            const Stats s = stats(v);
            std::sort(v.begin(), v.end());
            const double p90 = v.empty() ? NAN : v[std::min(v.size() - 1, v.size() * 9 / 10)];
            std::printf("%-12s %8zu %8d %10.3f %10.3f %10.3f %10.3f\n", programs[p].name.c_str(), s.n,
                results[p].missed, s.median, s.min, p90, s.max);
            if (programs[p].name == "tarvelio")
                tarvelioMedian = s.median;
        }
        for (std::size_t p : keyed) {
            if (tarvelioMedian && programs[p].name != "tarvelio")
                std::printf("tarvelio/%-12s key latency median %.2f\n", programs[p].name.c_str(),
                    *tarvelioMedian / stats(results[p].latenciesMs).median);
        }
    }
    rmdir(runtimeDir.c_str());
    return 0;
}
