#include "platform/NotizieX.h"

namespace kenvaron::plat {

bool RiportoX(const xcb_generic_event_t& e, uint32_t finestra, uint32_t bordi) {
    // Sent events (a window manager's synthetic configure notice) count too.
    switch (e.response_type & 0x7f) {
    case XCB_CONFIGURE_NOTIFY: return reinterpret_cast<const xcb_configure_notify_event_t&>(e).window == finestra;
    case XCB_REPARENT_NOTIFY: return reinterpret_cast<const xcb_reparent_notify_event_t&>(e).window == finestra;
    case XCB_MAP_NOTIFY: return reinterpret_cast<const xcb_map_notify_event_t&>(e).window == finestra;
    case XCB_PROPERTY_NOTIFY: {
        const auto& p = reinterpret_cast<const xcb_property_notify_event_t&>(e);
        return p.window == finestra && p.atom == bordi;
    }
    default: return false;
    }
}

}  // namespace kenvaron::plat
