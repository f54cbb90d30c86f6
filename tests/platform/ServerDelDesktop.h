// On a desktop of the test wrapper's own (tests/ui/su_desktop.sh) the window
// tests talk to an X server that the wrapper started for the run alone,
// whose process it names in KENVARON_PID_XVFB.  The program tells the server
// it talks to by its process (the other end of Qt's connection), and a run
// whose server is another fails at once instead of testing someone else's
// desktop.
#pragma once

#include <sys/socket.h>
#include <xcb/xcb.h>

#include <QByteArray>
#include <QGuiApplication>
#include <cstdio>

namespace kenvaron::plat {

// False when the wrapper named its server and Qt talks to another process;
// true elsewhere (no X server, or no wrapper).
inline bool ServerDelDesktop() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return true;
    const QByteArray atteso = qgetenv("KENVARON_PID_XVFB");
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11 != nullptr ? x11->connection() : nullptr;
    ucred chi{};
    socklen_t misura = sizeof chi;
    if (c == nullptr || getsockopt(xcb_get_file_descriptor(c), SOL_SOCKET, SO_PEERCRED, &chi, &misura) != 0) {
        std::fprintf(stderr, "X server %s: its process is unknown\n", qgetenv("DISPLAY").constData());
        return atteso.isEmpty();
    }
    std::fprintf(stderr, "X server %s: process %d\n", qgetenv("DISPLAY").constData(), static_cast<int>(chi.pid));
    if (!atteso.isEmpty() && atteso.toLong() != chi.pid) {
        std::fprintf(stderr, "The X server is not the desktop's own (Xvfb, process %s)\n", atteso.constData());
        return false;
    }
    return true;
}

}  // namespace kenvaron::plat
