// An X server of a test's own: Xvfb on the first free display at 96 dpi, with the openbox
// window manager. Both are ended by their process ids when the object goes.
#pragma once

#include <string>
#include <sys/types.h>

class XServer {
public:
    // Starts the servers and waits, bounded, until the window manager has taken the screen.
    // failure() says why when it could not.
    XServer();
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    // ":N", for DISPLAY.
    const std::string& display() const { return displayName; }
    const std::string& failure() const { return failureText; }

private:
    pid_t xvfb = -1;
    pid_t openbox = -1;
    std::string displayName = ":";
    std::string failureText;
};
