#include "ServerWindows.h"

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace r9test {

namespace {
struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <class T> using Reply = std::unique_ptr<T, FreeReply>;
} // namespace

ServerWindows::ServerWindows() : m_c(xcb_connect(nullptr, nullptr)) {
    if (Connected())
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_c)).data->root;
}

ServerWindows::~ServerWindows() {
    xcb_disconnect(m_c);
}

bool ServerWindows::Connected() const {
    return m_c && !xcb_connection_has_error(m_c);
}

bool ServerWindows::Viewable(uint32_t window) const {
    Reply<xcb_get_window_attributes_reply_t> a(
        xcb_get_window_attributes_reply(m_c, xcb_get_window_attributes(m_c, window), nullptr));
    return a && a->map_state == XCB_MAP_STATE_VIEWABLE;
}

std::vector<uint32_t> ServerWindows::Children(uint32_t window, uint32_t* parent) const {
    Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(m_c, xcb_query_tree(m_c, window), nullptr));
    if (!tree) {
        *parent = 0;
        return {};
    }
    *parent = tree->parent;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    return std::vector<uint32_t>(children, children + xcb_query_tree_children_length(tree.get()));
}

uint32_t ServerWindows::Parent(uint32_t window) const {
    uint32_t parent = 0;
    Children(window, &parent);
    return parent;
}

uint32_t ServerWindows::TopOf(uint32_t window) const {
    while (window) {
        const uint32_t parent = Parent(window);
        if (parent == m_root)
            return window;
        window = parent;
    }
    return 0;
}

bool ServerWindows::Above(uint32_t a, uint32_t b) const {
    const uint32_t topA = TopOf(a), topB = TopOf(b);
    uint32_t none = 0;
    const std::vector<uint32_t> stack = Children(m_root, &none);
    const auto ia = std::find(stack.begin(), stack.end(), topA),
               ib = std::find(stack.begin(), stack.end(), topB);
    return topA && topB && ia != stack.end() && ib != stack.end() && ia > ib;
}

uint32_t ServerWindows::Now() {
    if (!m_clock) {
        m_clock = xcb_generate_id(m_c);
        const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_create_window(m_c, XCB_COPY_FROM_PARENT, m_clock, m_root, 0, 0, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &mask);
    }
    xcb_change_property(m_c, XCB_PROP_MODE_APPEND, m_clock, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, 0, nullptr);
    xcb_flush(m_c);
    while (xcb_generic_event_t* e = xcb_wait_for_event(m_c)) {
        Reply<xcb_generic_event_t> event(e);
        if ((e->response_type & 0x7f) == XCB_PROPERTY_NOTIFY)
            return reinterpret_cast<xcb_property_notify_event_t*>(e)->time;
    }
    return XCB_CURRENT_TIME;
}

void ServerWindows::ClickToFocus(uint32_t window, int x, int y) {
    const uint32_t time = Now();
    for (const uint8_t type : {XCB_BUTTON_PRESS, XCB_BUTTON_RELEASE}) {
        xcb_button_press_event_t e{};
        e.response_type = type;
        e.detail = 1;
        e.time = time;
        e.root = m_root;
        e.event = window;
        e.event_x = static_cast<int16_t>(x);
        e.event_y = static_cast<int16_t>(y);
        e.same_screen = 1;
        e.state = type == XCB_BUTTON_RELEASE ? XCB_BUTTON_MASK_1 : 0;
        xcb_send_event(m_c, 0, window, XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE,
                       reinterpret_cast<const char*>(&e));
    }
    xcb_set_input_focus(m_c, XCB_INPUT_FOCUS_PARENT, window, time);
    xcb_flush(m_c);
}

uint32_t ServerWindows::InputFocus() const {
    Reply<xcb_get_input_focus_reply_t> f(xcb_get_input_focus_reply(m_c, xcb_get_input_focus(m_c), nullptr));
    return f ? f->focus : 0;
}

} // namespace r9test
