// Start-up time: from launching a program to its first window mapped on the X server, for Tavorel
// and for a minimal Qt Widgets window, in paired runs on the same display. Prints both medians and
// their ratio. Run it under a virtual display:
//   xvfb-run -s "-screen 0 1366x768x24" build/bench/bench_startup <program-folder> build/bench/minimal_window [runs]
// The program folder must hold the tavorel executable and a password store (make run lays one out).
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Milliseconds from fork to the first MapNotify of a top-level window, or -1 on timeout.
double timeToMapped(xcb_connection_t* x, xcb_window_t root, const std::string& exe, const char* arg = nullptr)
{
    // Drop whatever an earlier run left in the queue.
    while (xcb_generic_event_t* e = xcb_poll_for_event(x))
        free(e);
    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execl(exe.c_str(), exe.c_str(), arg, static_cast<char*>(nullptr));
        _exit(127);
    }
    double ms = -1;
    while (Clock::now() - start < std::chrono::seconds(20)) {
        xcb_generic_event_t* e = xcb_poll_for_event(x);
        if (!e) {
            if (xcb_connection_has_error(x))
                break;
            usleep(200);
            continue;
        }
        const bool mapped =
            (e->response_type & 0x7f) == XCB_MAP_NOTIFY && reinterpret_cast<xcb_map_notify_event_t*>(e)->event == root;
        free(e);
        if (mapped) {
            ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            break;
        }
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    usleep(100 * 1000); // let the server forget the window before the next run
    return ms;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <program-folder> <minimal-window-exe> [runs]\n", argv[0]);
        return 2;
    }
    const std::string tavorel = std::string(argv[1]) + "/tavorel";
    const std::string minimal = argv[2];
    const int runs = argc > 3 ? std::atoi(argv[3]) : 7;

    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "no X display: run under xvfb-run\n");
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x);

    // One warm-up of each, so that both find the libraries and fonts in the page cache.
    timeToMapped(x, root, minimal);
    timeToMapped(x, root, minimal, "--text");
    timeToMapped(x, root, tavorel);

    // The minimal window with one line of text tells how much of the difference is the first
    // use of the fonts, which no window that shows a word can skip.
    std::vector<double> a, t, b;
    for (int i = 0; i < runs; ++i) {
        a.push_back(timeToMapped(x, root, minimal));
        t.push_back(timeToMapped(x, root, minimal, "--text"));
        b.push_back(timeToMapped(x, root, tavorel));
        std::printf("run %d: minimal %.0f ms, minimal with text %.0f ms, tavorel %.0f ms\n", i + 1, a.back(), t.back(),
                    b.back());
    }
    const double ma = median(a), mt = median(t), mb = median(b);
    std::printf("median of %d runs: minimal window %.0f ms, with a line of text %.0f ms, Tavorel login %.0f ms\n", runs,
                ma, mt, mb);
    std::printf("ratio to the minimal window %.2f (goal <= 1.5); to the one with text %.2f\n", mb / ma, mb / mt);
    xcb_disconnect(x);
    return 0;
}
