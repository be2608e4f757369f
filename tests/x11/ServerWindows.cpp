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

} // namespace r9test
