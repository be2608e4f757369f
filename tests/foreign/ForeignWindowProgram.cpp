// Another program's windows for the tests against a real X server, on the server in $DISPLAY:
//   r9-foreign-window cover X Y W H   a plain window at that place of the screen, over the windows
//                                     mapped before it
//   r9-foreign-window frame WINDOW    puts WINDOW into a frame of its own, keeping its place on the
//                                     screen and giving it the keyboard, as a reparenting
//                                     window manager does
// Prints the id of the window it made once the server has done it, then holds it until its input
// closes (the test ends or dies).
#include <xcb/xcb.h>

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr int kFrameLeft = 6, kFrameTop = 24; // the frame's border and title bar

int Fail(const char* what) {
    std::fprintf(stderr, "r9-foreign-window: %s\n", what);
    return 1;
}

// Waits until the server reports window mapped.
bool WaitMapped(xcb_connection_t* c, xcb_window_t window) {
    while (xcb_generic_event_t* e = xcb_wait_for_event(c)) {
        const bool mapped = (e->response_type & 0x7f) == XCB_MAP_NOTIFY &&
                            reinterpret_cast<xcb_map_notify_event_t*>(e)->window == window;
        std::free(e);
        if (mapped)
            return true;
    }
    return false;
}

xcb_window_t MakeWindow(xcb_connection_t* c, xcb_screen_t* screen, int x, int y, int w, int h,
                        uint32_t colour) {
    const xcb_window_t window = xcb_generate_id(c);
    const uint32_t values[] = {colour, XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_BUTTON_PRESS |
                                           XCB_EVENT_MASK_BUTTON_RELEASE};
    xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root, static_cast<int16_t>(x),
                      static_cast<int16_t>(y), static_cast<uint16_t>(w), static_cast<uint16_t>(h), 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
    const char name[] = "foreign";
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                        sizeof name - 1, name);
    return window;
}

xcb_window_t Cover(xcb_connection_t* c, xcb_screen_t* screen, int x, int y, int w, int h) {
    const xcb_window_t window = MakeWindow(c, screen, x, y, w, h, 0xd0a020);
    xcb_map_window(c, window);
    xcb_flush(c);
    return WaitMapped(c, window) ? window : xcb_window_t{XCB_WINDOW_NONE};
}

xcb_window_t Frame(xcb_connection_t* c, xcb_screen_t* screen, xcb_window_t client) {
    xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(c, xcb_get_geometry(c, client), nullptr);
    xcb_translate_coordinates_reply_t* at =
        xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, client, screen->root, 0, 0), nullptr);
    if (!g || !at) {
        std::free(g);
        std::free(at);
        return XCB_WINDOW_NONE;
    }
    const xcb_window_t frame =
        MakeWindow(c, screen, at->dst_x - kFrameLeft, at->dst_y - kFrameTop, g->width + 2 * kFrameLeft,
                   g->height + kFrameTop + kFrameLeft, 0x406080);
    std::free(g);
    std::free(at);
    // Should this program end first, the client goes back to the root instead of with the frame.
    xcb_change_save_set(c, XCB_SET_MODE_INSERT, client);
    xcb_map_window(c, frame);
    xcb_flush(c);
    if (!WaitMapped(c, frame))
        return XCB_WINDOW_NONE;
    xcb_reparent_window(c, client, frame, kFrameLeft, kFrameTop);
    // Mapped again in the frame, it gets the keyboard back, as from a window manager.
    xcb_set_input_focus(c, XCB_INPUT_FOCUS_PARENT, client, XCB_CURRENT_TIME);
    // A round trip: the server has done the reparenting before the id is printed.
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    return frame;
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (!((mode == "cover" && argc == 6) || (mode == "frame" && argc == 3)))
        return Fail("usage: cover X Y W H | frame WINDOW");
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c))
        return Fail("no X server");
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_window_t made =
        mode == "cover"
            ? Cover(c, screen, std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]))
            : Frame(c, screen, static_cast<xcb_window_t>(std::strtoul(argv[2], nullptr, 0)));
    if (made == XCB_WINDOW_NONE)
        return Fail("the server refused the window");
    std::printf("%u\n", made);
    std::fflush(stdout);
    // Hold the window, reading the server's events, until the input closes.
    pollfd fds[2] = {{STDIN_FILENO, POLLIN, 0}, {xcb_get_file_descriptor(c), POLLIN, 0}};
    for (;;) {
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (fds[0].revents) {
            char buf[64];
            if (read(STDIN_FILENO, buf, sizeof buf) <= 0)
                break;
        }
        while (xcb_generic_event_t* e = xcb_poll_for_event(c))
            std::free(e);
        if (xcb_connection_has_error(c))
            break;
    }
    xcb_disconnect(c);
    return 0;
}
