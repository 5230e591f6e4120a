#include "tests/support/XServer.h"

#include <X11/Xlib.h>

#include <algorithm>
#include <csignal>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

pid_t spawn(std::vector<std::string> command)
{
    std::vector<char*> arguments;
    for (std::string& argument : command)
        arguments.push_back(argument.data());
    arguments.push_back(nullptr);
    pid_t child = -1;
    return posix_spawnp(&child, arguments[0], nullptr, nullptr, arguments.data(), environ) == 0 ? child : -1;
}

// Whether the window manager named itself on the root window, looking again at each change of
// the root's properties; openbox changes them often while it starts, so 30 s of quiet (generous
// on a loaded two-core box) means never.
bool waitForWindowManager(Display* x)
{
    const Window root = DefaultRootWindow(x);
    const Atom check = XInternAtom(x, "_NET_SUPPORTING_WM_CHECK", False);
    XSelectInput(x, root, PropertyChangeMask);
    pollfd connection { ConnectionNumber(x), POLLIN, 0 };
    bool ready = false;
    do {
        XSync(x, True); // a change from now on wakes the poll below
        int count = 0;
        Atom* names = XListProperties(x, root, &count);
        ready = std::find(names, names + count, check) != names + count;
        XFree(names);
    } while (!ready && (XPending(x) > 0 || poll(&connection, 1, 30000) > 0));
    XCloseDisplay(x);
    return ready;
}

} // namespace

XServer::XServer()
{
    // Xvfb picks a free display and writes its number down the pipe when it is ready; the read
    // ends at that line or when Xvfb has gone, and with it the pipe's last writer.
    int number[2];
    if (pipe(number) == 0) {
        xvfb = spawn({ "Xvfb", "-displayfd", std::to_string(number[1]), "-dpi", "96", "-screen", "0", "1280x1024x24",
            "-nolisten", "tcp" });
        close(number[1]);
        for (char c = 0; read(number[0], &c, 1) == 1 && c != '\n';)
            displayName += c;
        close(number[0]);
    }
    if (xvfb < 0 || displayName.size() < 2) {
        failureText = "Xvfb did not start (is the package xvfb installed?)";
        return;
    }
    // env execs openbox in its own process, so the id is openbox's.
    openbox = spawn({ "env", "DISPLAY=" + displayName, "openbox", "--sm-disable" });
    Display* x = XOpenDisplay(displayName.c_str());
    if (x == nullptr || !waitForWindowManager(x))
        failureText = "openbox did not take the screen (is the package openbox installed?)";
}

XServer::~XServer()
{
    for (const pid_t process : { openbox, xvfb })
        if (process > 0 && kill(process, SIGTERM) == 0)
            waitpid(process, nullptr, 0);
}
