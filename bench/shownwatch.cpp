// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <xcb/xcb.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <optional>
#include <set>
#include <utility>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

// Starts a program on the X display and watches, from outside, how its window comes onto the
// screen under whatever window manager runs there: the time from just before the start to the
// window being shown, and to it standing at its final place, and how often it moved after it
// was first shown. Its window is the first of its process's top-level windows to be shown
// whole, known by _NET_WM_PID rather than by title: a window manager's frames may carry the
// title too. Once it has stood still for a second and a half, the program is ended and the figures
// are printed as "shown_us N", "settled_us N" and "moves N".
namespace {

constexpr int StillMs = 1500;
constexpr int ShownWithinMs = 20000;

using Clock = long long; // microseconds of CLOCK_MONOTONIC

Clock now()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<Clock>(t.tv_sec) * 1000000 + t.tv_nsec / 1000;
}

template<typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

template<typename T>
Reply<T> reply(T *raw)
{
    return Reply<T>(raw, &std::free);
}

class Watch
{
public:
    Watch(xcb_connection_t *connection, xcb_window_t root, pid_t pid) : x(connection), root(root), pid(pid)
    {
        const char name[] = "_NET_WM_PID";
        auto atom = reply(xcb_intern_atom_reply(x, xcb_intern_atom(x, 0, sizeof name - 1, name), nullptr));
        if (atom)
            pidAtom = atom->atom;
    }

    void handle(const xcb_generic_event_t *event, Clock at)
    {
        switch (event->response_type & 0x7f) {
        case XCB_CREATE_NOTIFY: {
            const auto *created = reinterpret_cast<const xcb_create_notify_event_t *>(event);
            // Override-redirect windows (menus, tooltips) are not the program's window.
            if (created->parent == root && !created->override_redirect)
                follow(created->window);
            break;
        }
        case XCB_PROPERTY_NOTIFY: {
            const auto *changed = reinterpret_cast<const xcb_property_notify_event_t *>(event);
            if (changed->atom == pidAtom && isOurs(changed->window))
                ours.insert(changed->window);
            break;
        }
        default:
            break;
        }
        // The window's state is read in several requests; with the server held, the window
        // manager cannot move anything between them.
        xcb_grab_server(x);
        look(at);
        xcb_ungrab_server(x);
        xcb_flush(x);
    }

    bool shown() const { return window != XCB_WINDOW_NONE; }
    Clock shownAt = 0;
    Clock settledAt = 0;
    int moves = 0;

private:
    using Place = std::pair<std::pair<int, int>, std::pair<int, int>>; // the window's and its frame's

    // The window's own moves, reparenting and mapping come to it; its frame's to the root.
    void follow(xcb_window_t candidate)
    {
        const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_change_window_attributes(x, candidate, XCB_CW_EVENT_MASK, &mask);
        // Asked after the selection, so that a _NET_WM_PID set in between is not missed.
        if (isOurs(candidate))
            ours.insert(candidate);
    }

    bool isOurs(xcb_window_t candidate) const
    {
        auto value = reply(xcb_get_property_reply(
            x, xcb_get_property(x, 0, candidate, pidAtom, XCB_ATOM_CARDINAL, 0, 1), nullptr));
        return value && xcb_get_property_value_length(value.get()) == 4
               && *static_cast<const uint32_t *>(xcb_get_property_value(value.get())) == static_cast<uint32_t>(pid);
    }

    bool viewable(xcb_window_t candidate) const
    {
        auto attributes = reply(xcb_get_window_attributes_reply(x, xcb_get_window_attributes(x, candidate), nullptr));
        return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
    }

    // Where the window and its frame (its ancestor that is a child of the root) stand, and
    // whether the frame is large enough to show the whole window: KWin maps a new window's
    // frame at 1 × 1 pixels and sizes and places it a moment later.
    struct Seen
    {
        Place place;
        bool whole = false;
    };
    std::optional<Seen> see(xcb_window_t candidate) const
    {
        auto inRoot =
            reply(xcb_translate_coordinates_reply(x, xcb_translate_coordinates(x, candidate, root, 0, 0), nullptr));
        auto own = reply(xcb_get_geometry_reply(x, xcb_get_geometry(x, candidate), nullptr));
        if (!inRoot || !own)
            return std::nullopt;
        xcb_window_t frame = candidate;
        for (;;) {
            auto tree = reply(xcb_query_tree_reply(x, xcb_query_tree(x, frame), nullptr));
            if (!tree)
                return std::nullopt;
            if (tree->parent == root)
                break;
            frame = tree->parent;
        }
        auto outer = reply(xcb_get_geometry_reply(x, xcb_get_geometry(x, frame), nullptr));
        if (!outer)
            return std::nullopt;
        return Seen{{{inRoot->dst_x, inRoot->dst_y}, {outer->x, outer->y}},
                    outer->width >= own->width && outer->height >= own->height};
    }

    void look(Clock at)
    {
        if (!shown()) {
            for (xcb_window_t candidate : ours) {
                if (!viewable(candidate))
                    continue;
                if (auto seen = see(candidate); seen && seen->whole) {
                    window = candidate;
                    last = seen->place;
                    shownAt = settledAt = at;
                    return;
                }
            }
        } else if (auto seen = see(window); seen && seen->place != last) {
            last = seen->place;
            ++moves;
            settledAt = at;
        }
    }

    xcb_connection_t *x;
    xcb_window_t root;
    pid_t pid;
    xcb_atom_t pidAtom = XCB_ATOM_NONE;
    std::set<xcb_window_t> ours;
    xcb_window_t window = XCB_WINDOW_NONE;
    Place last;
};

int fail(const char *what)
{
    std::fprintf(stderr, "shown_watch: %s\n", what);
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2)
        return fail("usage: shown_watch PROGRAM [ARGUMENT...]");
    int screenNumber = 0;
    xcb_connection_t *x = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(x))
        return fail("cannot open the display");
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(x));
    for (int i = 0; i < screenNumber; ++i)
        xcb_screen_next(&screens);
    const xcb_window_t root = screens.data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    // Checked, so that the server sends the root's events before the program is started.
    if (auto *error = xcb_request_check(x, xcb_change_window_attributes_checked(x, root, XCB_CW_EVENT_MASK, &mask))) {
        std::free(error);
        return fail("cannot watch the root window");
    }

    const Clock started = now();
    const pid_t pid = fork();
    if (pid < 0)
        return fail("cannot start the program");
    if (pid == 0) {
        // The figures are this program's output; the watched one's goes to the error output.
        dup2(STDERR_FILENO, STDOUT_FILENO);
        execvp(argv[1], argv + 1);
        std::perror(argv[1]);
        _exit(127);
    }

    Watch watch(x, root, pid);
    const int fd = xcb_get_file_descriptor(x);
    bool ended = false;
    for (;;) {
        while (auto *event = xcb_poll_for_event(x)) {
            watch.handle(event, now());
            std::free(event);
        }
        if (xcb_connection_has_error(x)) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
            return fail("lost the display");
        }
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            ended = true;
            break;
        }
        const Clock deadline = watch.shown() ? watch.settledAt + StillMs * 1000LL : started + ShownWithinMs * 1000LL;
        const Clock left = deadline - now();
        if (left <= 0)
            break;
        pollfd readable{fd, POLLIN, 0};
        // Woken every 100 ms at least, to see whether the program has ended.
        if (poll(&readable, 1, static_cast<int>(std::min<Clock>(left / 1000 + 1, 100))) < 0 && errno != EINTR)
            return fail("cannot wait for the display");
    }
    if (!ended) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
    xcb_disconnect(x);
    if (ended)
        return fail("the program ended by itself");
    if (!watch.shown())
        return fail("the program's window was not shown");
    std::printf("shown_us %lld\nsettled_us %lld\nmoves %d\n", watch.shownAt - started, watch.settledAt - started,
                watch.moves);
    return 0;
}
