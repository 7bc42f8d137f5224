// first_mapped_window COMMAND [ARGS...]: starts COMMAND on the X display of $DISPLAY and prints
// the milliseconds from its start to the first top-level window it maps, then stops it. The
// start-up comparison times the application and a bare Qt window this way, from outside, as a
// user sees them.
#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: first_mapped_window COMMAND [ARGS...]\n");
        return 2;
    }
    // A virtual display refuses a connection now and then while it still closes the last
    // program's; a few tries get through.
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    for (int tries = 1; xcb_connection_has_error(connection) && tries < 50; ++tries) {
        xcb_disconnect(connection);
        usleep(10000);
        connection = xcb_connect(nullptr, nullptr);
    }
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "first_mapped_window: no X display (set DISPLAY, e.g. under xvfb-run)\n");
        return 2;
    }
    // Every window mapped as a child of the root window is a top-level window.
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);
    // A round trip, so that the server has the event mask before the command starts.
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[1], argv + 1);
        std::perror("first_mapped_window: exec");
        _exit(127);
    }
    int status = 0;
    pollfd display{xcb_get_file_descriptor(connection), POLLIN, 0};
    while (true) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            const std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> owned(event, &std::free);
            if ((event->response_type & 0x7F) != XCB_MAP_NOTIFY) continue;
            const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event);
            if (map->override_redirect) continue; // a tooltip or menu, not a window
            const double ms =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            std::printf("%.3f\n", ms);
            kill(child, SIGTERM);
            waitpid(child, &status, 0);
            xcb_disconnect(connection);
            return 0;
        }
        if (xcb_connection_has_error(connection)) break;
        if (waitpid(child, &status, WNOHANG) == child) {
            std::fprintf(stderr, "first_mapped_window: the command ended before it mapped a window\n");
            return 1;
        }
        poll(&display, 1, 100);
    }
    kill(child, SIGTERM);
    waitpid(child, &status, 0);
    std::fprintf(stderr, "first_mapped_window: the display closed before the command mapped a window\n");
    return 1;
}
