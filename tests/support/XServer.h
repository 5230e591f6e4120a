// An X server of the test's own: Xvfb on the first free display number, ended with the object.
// For tests that need input from other processes, which offscreen windows never receive.
#pragma once

#include <sys/types.h>

#include <string>

class XServer {
public:
    // Starts Xvfb and waits until it accepts connections; display() is empty when it could not.
    XServer();
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    // The value for DISPLAY, such as ":3".
    const std::string& display() const { return name; }

private:
    pid_t pid = -1;
    std::string name;
};
