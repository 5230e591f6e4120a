#include "tests/support/XServer.h"

#include <X11/Xlib.h>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// Generous: the test machines are loaded two-core boxes.
constexpr int kQuietMs = 30000;

// Starts command with its output going nowhere and keepOpen as its fd 3 (-1: none).
pid_t spawn(std::vector<std::string> command, int keepOpen = -1)
{
    std::vector<char*> arguments;
    for (std::string& argument : command)
        arguments.push_back(argument.data());
    arguments.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    if (keepOpen >= 0)
        posix_spawn_file_actions_adddup2(&actions, keepOpen, 3);
    pid_t child = -1;
    const bool started = posix_spawnp(&child, arguments[0], &actions, nullptr, arguments.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    return started ? child : -1;
}

// Whether the window manager named itself on the root window, looking again at each change of
// the root's properties; openbox changes them often while it starts, so a long quiet means never.
bool waitForWindowManager(Display* x)
{
    const Window root = DefaultRootWindow(x);
    const Atom check = XInternAtom(x, "_NET_SUPPORTING_WM_CHECK", False);
    XSelectInput(x, root, PropertyChangeMask);
    pollfd connection { ConnectionNumber(x), POLLIN, 0 };
    bool ready = false;
    do {
        for (XEvent event; XPending(x) > 0;)
            XNextEvent(x, &event);
        int count = 0;
        Atom* names = XListProperties(x, root, &count);
        ready = std::find(names, names + count, check) != names + count;
        XFree(names);
    } while (!ready && (XPending(x) > 0 || poll(&connection, 1, kQuietMs) > 0));
    XCloseDisplay(x);
    return ready;
}

void endProcess(pid_t process)
{
    if (process > 0 && kill(process, SIGTERM) == 0)
        waitpid(process, nullptr, 0);
}

} // namespace

XServer::XServer(Manager manager)
{
    // Xvfb picks a free display and writes its number down the pipe when it is ready; the read
    // ends at that line or when Xvfb has gone, and with it the pipe's last writer.
    int number[2];
    if (pipe2(number, O_CLOEXEC) == 0) {
        xvfb = spawn(
            { "Xvfb", "-displayfd", "3", "-dpi", "96", "-screen", "0", "1280x1024x24", "-nolisten", "tcp" }, number[1]);
        close(number[1]);
        for (char c = 0; read(number[0], &c, 1) == 1 && c != '\n';)
            displayName += c;
        close(number[0]);
    }
    if (xvfb < 0 || displayName.empty()) {
        failureText = "Xvfb did not start (is the package xvfb installed?)";
        return;
    }
    displayName.insert(0, ":");
    if (manager != Manager::Openbox)
        return;
    // env execs openbox in its own process, so the id is openbox's.
    openbox = spawn({ "env", "DISPLAY=" + displayName, "openbox", "--sm-disable" });
    Display* x = XOpenDisplay(displayName.c_str());
    if (x == nullptr || !waitForWindowManager(x))
        failureText = "openbox did not take the screen (is the package openbox installed?)";
}

XServer::~XServer()
{
    endProcess(openbox);
    endProcess(xvfb);
}
