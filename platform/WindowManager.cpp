#include "platform/WindowManager.h"

#include <QGuiApplication>
#include <QWindow>

#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

namespace window_manager {
namespace {

// A window manager answers the frame request within a few milliseconds; past this the window
// opens with the margins the toolkit knows, and the window manager still frames it.
constexpr auto kFrameAnswerWait = std::chrono::milliseconds(2000);
constexpr auto kFrameLookInterval = std::chrono::milliseconds(2);

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename Reply> using ReplyPtr = std::unique_ptr<Reply, FreeReply>;

xcb_connection_t* x11Connection()
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t* connection, const char* name)
{
    const ReplyPtr<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

std::vector<uint32_t> values32(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property, xcb_atom_t type)
{
    const ReplyPtr<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(connection, xcb_get_property(connection, 0, window, property, type, 0, 1024), nullptr));
    if (!reply || reply->format != 32)
        return {};
    const auto* values = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    return { values, values + xcb_get_property_value_length(reply.get()) / 4 };
}

xcb_window_t rootOf(xcb_connection_t* connection, xcb_window_t window)
{
    const ReplyPtr<xcb_get_geometry_reply_t> reply(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr));
    return reply ? reply->root : xcb_window_t(XCB_WINDOW_NONE);
}

QMargins fromExtents(const std::vector<uint32_t>& extents)
{
    // Left, right, top, bottom.
    return { static_cast<int>(extents[0]), static_cast<int>(extents[2]), static_cast<int>(extents[1]),
        static_cast<int>(extents[3]) };
}

} // namespace

QMargins frameMargins(QWindow& window)
{
    xcb_connection_t* connection = x11Connection();
    if (connection == nullptr)
        return window.frameMargins();
    const auto id = static_cast<xcb_window_t>(window.winId());
    const xcb_atom_t extentsAtom = atom(connection, "_NET_FRAME_EXTENTS");
    const xcb_atom_t requestAtom = atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_window_t root = rootOf(connection, id);
    const std::vector<uint32_t> supported
        = values32(connection, root, atom(connection, "_NET_SUPPORTED"), XCB_ATOM_ATOM);
    if (std::find(supported.begin(), supported.end(), requestAtom) == supported.end())
        return window.frameMargins();

    xcb_client_message_event_t request {};
    request.response_type = XCB_CLIENT_MESSAGE;
    request.format = 32;
    request.window = id;
    request.type = requestAtom;
    xcb_send_event(connection, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
        reinterpret_cast<const char*>(&request));
    xcb_flush(connection);
    const auto deadline = std::chrono::steady_clock::now() + kFrameAnswerWait;
    for (;;) {
        const std::vector<uint32_t> extents = values32(connection, id, extentsAtom, XCB_ATOM_CARDINAL);
        if (extents.size() == 4)
            return fromExtents(extents);
        if (std::chrono::steady_clock::now() > deadline)
            return window.frameMargins();
        std::this_thread::sleep_for(kFrameLookInterval);
    }
}

void markAsNormalWindow(QWindow& window)
{
    xcb_connection_t* connection = x11Connection();
    if (connection == nullptr)
        return;
    const xcb_atom_t normal = atom(connection, "_NET_WM_WINDOW_TYPE_NORMAL");
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window.winId()),
        atom(connection, "_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, 32, 1, &normal);
    xcb_flush(connection);
}

} // namespace window_manager
