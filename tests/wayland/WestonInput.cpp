// SPDX-License-Identifier: GPL-3.0-or-later
// A weston module for the tests of the real window under weston's headless
// backend, which has no input devices of its own: it adds a seat with a
// pointer and moves and presses it as the test says, one command a line,
// through the FIFO named by KAVREL_WESTON_INPUT:
//
//   move X Y     the pointer to the output pixel (X, Y)
//   press        the left button down
//   release      the left button up
#include <libweston/libweston.h>
#include <libweston/version.h>
#include <linux/input-event-codes.h>
#include <wayland-server.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <unistd.h>

// libweston exports these to its backends, which declare them in a header
// it does not install.
extern "C" {
void weston_seat_init(struct weston_seat* seat, struct weston_compositor* compositor, const char* name);
void weston_seat_init_pointer(struct weston_seat* seat);
#if WESTON_VERSION_MAJOR >= 12
// Since weston 12 a point of the compositor's space is a type of its own.
void notify_motion_absolute(struct weston_seat* seat, const struct timespec* time, struct weston_coord_global pos);
#else
void notify_motion_absolute(struct weston_seat* seat, const struct timespec* time, double x, double y);
#endif
void notify_button(struct weston_seat* seat, const struct timespec* time, int32_t button,
                   enum wl_pointer_button_state state);
void notify_pointer_frame(struct weston_seat* seat);
}

namespace {

struct TInput {
    weston_seat seat;
    std::string pending;
};

void Run(TInput& input, const std::string& command)
{
    timespec now;
    weston_compositor_get_time(&now);
    double x = 0;
    double y = 0;
    if (std::sscanf(command.c_str(), "move %lf %lf", &x, &y) == 2)
#if WESTON_VERSION_MAJOR >= 12
        notify_motion_absolute(&input.seat, &now, weston_coord_global{{x, y}});
#else
        notify_motion_absolute(&input.seat, &now, x, y);
#endif
    else if (command == "press")
        notify_button(&input.seat, &now, BTN_LEFT, WL_POINTER_BUTTON_STATE_PRESSED);
    else if (command == "release")
        notify_button(&input.seat, &now, BTN_LEFT, WL_POINTER_BUTTON_STATE_RELEASED);
    else
        return;
    notify_pointer_frame(&input.seat);
}

int Readable(int fd, uint32_t, void* data)
{
    TInput& input = *static_cast<TInput*>(data);
    char buffer[256];
    ssize_t count;
    while ((count = read(fd, buffer, sizeof buffer)) > 0) {
        input.pending.append(buffer, std::size_t(count));
        for (std::size_t end; (end = input.pending.find('\n')) != std::string::npos;) {
            Run(input, input.pending.substr(0, end));
            input.pending.erase(0, end + 1);
        }
    }
    return 0;
}

}  // namespace

extern "C" WL_EXPORT int wet_module_init(weston_compositor* compositor, int*, char**)
{
    const char* path = std::getenv("KAVREL_WESTON_INPUT");
    // Opened for writing too, so that the FIFO stays open between writers.
    const int fifo = path ? open(path, O_RDWR | O_NONBLOCK | O_CLOEXEC) : -1;
    if (fifo < 0)
        return -1;
    // Lives as long as the compositor.
    auto* input = new TInput{};
    weston_seat_init(&input->seat, compositor, "kavrel-test");
    weston_seat_init_pointer(&input->seat);
    wl_event_loop_add_fd(wl_display_get_event_loop(compositor->wl_display), fifo, WL_EVENT_READABLE, Readable, input);
    return 0;
}
