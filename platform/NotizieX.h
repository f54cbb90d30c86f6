// The X server's notices that report on a window of the program's.
#pragma once

#include <xcb/xcb.h>

#include <cstdint>

namespace kenvaron::plat {

// Whether an event of the X server reports on the window `finestra`: a
// notice that it was configured (moved, resized, or told so by a window
// manager), reparented (framed) or mapped, or that its borders (the property
// `bordi`, _NET_FRAME_EXTENTS) changed.  A window manager's answer to a
// request of the program's brings one of these, where Qt may deliver no
// event at all (a move there and back at once).
bool RiportoX(const xcb_generic_event_t& e, uint32_t finestra, uint32_t bordi);

}  // namespace kenvaron::plat
