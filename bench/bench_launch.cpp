// Starts a program and prints how long it took until its first real window was viewable
// on the X server: "<milliseconds> <pid> <window id>".
//
// The root window is watched before the program is forked, so no window can slip by:
// every new top-level window is checked on each map and reparent event (a window manager
// maps its frame last, which is when the client becomes viewable) and, as a safety net,
// every 5 ms. A window counts when it is viewable, at least --min-size pixels in
// both directions (tray icons are smaller) and its _NET_WM_PID is the program's.
//
// Usage: bench_launch [--keep] [--min-size N] [--timeout SECONDS] [--output FILE]
//                     -- PROGRAM [ARGUMENTS...]
// Without --keep the program is terminated once its window is seen; with it the program
// keeps running for the caller to measure and stop.
// Exit status: 0 when a window was seen, 1 on bad usage, 2 when there is no X server,
// 3 when the program failed or ended first, 4 on time-out.
#include <xcb/xcb.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T> Reply<T> own(T* reply)
{
    return Reply<T>(reply, &std::free);
}

struct Options
{
    bool keep = false;
    int minSize = 48;
    double timeoutSeconds = 30;
    const char* output = "/dev/null";
    char** command = nullptr;
};

int usage()
{
    std::fputs("usage: bench_launch [--keep] [--min-size N] [--timeout SECONDS] [--output FILE] "
               "-- PROGRAM [ARGUMENTS...]\n",
               stderr);
    return 1;
}

bool parse(int argc, char* argv[], Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--") {
            if (i + 1 >= argc) {
                return false;
            }
            options.command = argv + i + 1;
            return true;
        }
        if (arg == "--keep") {
            options.keep = true;
        } else if (arg == "--min-size" && hasValue) {
            options.minSize = std::atoi(argv[++i]);
        } else if (arg == "--timeout" && hasValue) {
            options.timeoutSeconds = std::atof(argv[++i]);
        } else if (arg == "--output" && hasValue) {
            options.output = argv[++i];
        } else {
            return false;
        }
    }
    return false;
}

xcb_atom_t atom(xcb_connection_t* connection, const char* name)
{
    const auto reply = own(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

void watch(xcb_connection_t* connection, xcb_window_t window, uint32_t mask)
{
    xcb_change_window_attributes(connection, window, XCB_CW_EVENT_MASK, &mask);
}

// Whether the window is the program's and can be seen now.
bool isProgramWindow(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t pidAtom,
                     pid_t pid, int minSize)
{
    const auto attributes = own(xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, window), nullptr));
    if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE) {
        return false;
    }
    const auto geometry =
        own(xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr));
    if (!geometry || geometry->width < minSize || geometry->height < minSize) {
        return false;
    }
    const auto property = own(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, pidAtom, XCB_ATOM_CARDINAL, 0, 1),
        nullptr));
    return property && xcb_get_property_value_length(property.get()) == 4 &&
           *static_cast<const uint32_t*>(xcb_get_property_value(property.get())) ==
               static_cast<uint32_t>(pid);
}

void stop(pid_t pid)
{
    kill(pid, SIGTERM);
    for (int i = 0; i < 200; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            return;
        }
        usleep(10000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

} // namespace

int main(int argc, char* argv[])
{
    Options options;
    if (!parse(argc, argv, options)) {
        return usage();
    }

    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection)) {
        std::fputs("bench_launch: cannot connect to the X server\n", stderr);
        return 2;
    }
    const int fd = xcb_get_file_descriptor(connection);
    fcntl(fd, F_SETFD, fcntl(fd, F_GETFD) | FD_CLOEXEC);
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i) {
        xcb_screen_next(&screens);
    }
    const xcb_window_t root = screens.data->root;
    const xcb_atom_t pidAtom = atom(connection, "_NET_WM_PID");
    watch(connection, root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY);
    // A round trip: the server has taken the event mask before the program exists.
    free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));

    const Clock::time_point started = Clock::now();
    const pid_t pid = fork();
    if (pid < 0) {
        std::perror("bench_launch: fork");
        return 3;
    }
    if (pid == 0) {
        const int out = open(options.output, O_WRONLY | O_CREAT | O_APPEND, 0644);
        if (out >= 0) {
            dup2(out, STDOUT_FILENO);
            dup2(out, STDERR_FILENO);
            close(out);
        }
        execvp(options.command[0], options.command);
        std::perror("bench_launch: exec");
        _exit(127);
    }

    const Clock::time_point deadline =
        started + std::chrono::duration_cast<Clock::duration>(
                      std::chrono::duration<double>(options.timeoutSeconds));
    std::vector<xcb_window_t> candidates;
    xcb_window_t found = XCB_WINDOW_NONE;
    Clock::time_point seen;
    Clock::time_point lastCheck = started;
    while (found == XCB_WINDOW_NONE) {
        pollfd waiting{fd, POLLIN, 0};
        poll(&waiting, 1, 5);
        bool mapped = false;
        while (auto* event = xcb_poll_for_event(connection)) {
            switch (event->response_type & 0x7f) {
            case XCB_CREATE_NOTIFY: {
                const auto* created = reinterpret_cast<xcb_create_notify_event_t*>(event);
                if (created->parent == root) {
                    watch(connection, created->window, XCB_EVENT_MASK_STRUCTURE_NOTIFY);
                    candidates.push_back(created->window);
                }
                break;
            }
            case XCB_REPARENT_NOTIFY: {
                // The client's own map is then reported through its new frame as well.
                const auto* moved = reinterpret_cast<xcb_reparent_notify_event_t*>(event);
                if (moved->parent != root) {
                    watch(connection, moved->parent, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY);
                }
                mapped = true;
                break;
            }
            case XCB_MAP_NOTIFY:
                mapped = true;
                break;
            default:
                break;
            }
            std::free(event);
        }
        if (xcb_connection_has_error(connection)) {
            std::fputs("bench_launch: lost the X server\n", stderr);
            stop(pid);
            return 2;
        }
        // Map events decide; the check every 5 ms only guards against one that was missed,
        // without loading the CPU the program starts on.
        const Clock::time_point now = Clock::now();
        if (mapped || now - lastCheck >= std::chrono::milliseconds(5)) {
            lastCheck = now;
            for (const xcb_window_t window : candidates) {
                if (isProgramWindow(connection, window, pidAtom, pid, options.minSize)) {
                    found = window;
                    seen = Clock::now();
                    break;
                }
            }
        }
        int status = 0;
        if (found == XCB_WINDOW_NONE && waitpid(pid, &status, WNOHANG) == pid) {
            std::fprintf(stderr, "bench_launch: %s ended (status %d) before showing a window\n",
                         options.command[0], status);
            return 3;
        }
        if (found == XCB_WINDOW_NONE && Clock::now() > deadline) {
            std::fprintf(stderr, "bench_launch: no window of %s within %.0f s\n",
                         options.command[0], options.timeoutSeconds);
            stop(pid);
            return 4;
        }
    }

    const double ms = std::chrono::duration<double, std::milli>(seen - started).count();
    std::printf("%.2f %d 0x%x\n", ms, static_cast<int>(pid), found);
    std::fflush(stdout);
    xcb_disconnect(connection);
    if (!options.keep) {
        stop(pid);
    }
    return 0;
}
