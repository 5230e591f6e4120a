#include "tests/support/XServer.h"

#include <X11/Xlib.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

// Generous: the test machines are loaded two-core boxes.
constexpr int kStartWaitMs = 30000;

// Starts command with its output going nowhere; fd 3 of the child is keepOpen when given.
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
    if (posix_spawnp(&child, arguments[0], &actions, nullptr, arguments.data(), environ) != 0)
        child = -1;
    posix_spawn_file_actions_destroy(&actions);
    return child;
}

void endProcess(pid_t process)
{
    if (process <= 0)
        return;
    kill(process, SIGTERM);
    while (waitpid(process, nullptr, 0) < 0 && errno == EINTR) { }
}

} // namespace

XServer::XServer(Manager manager)
{
    if (startXvfb() && manager == Manager::Openbox) {
        // env execs openbox in its own process, so the id is openbox's.
        openbox = spawn({ "env", "DISPLAY=" + displayName, "openbox", "--sm-disable" });
        waitForWindowManager();
    }
}

XServer::~XServer()
{
    endProcess(openbox);
    endProcess(xvfb);
}

bool XServer::startXvfb()
{
    int number[2];
    if (pipe2(number, O_CLOEXEC) != 0) {
        failureText = "cannot make a pipe for Xvfb";
        return false;
    }
    // Xvfb picks a free display and writes its number down the pipe when it is ready.
    xvfb = spawn(
        { "Xvfb", "-displayfd", "3", "-dpi", "96", "-screen", "0", "1280x1024x24", "-nolisten", "tcp" }, number[1]);
    close(number[1]);
    // Ends when Xvfb has written the line or has gone (and with it the pipe's last writer).
    char c = 0;
    while (read(number[0], &c, 1) == 1 && c != '\n')
        displayName += c;
    close(number[0]);
    if (xvfb < 0 || c != '\n' || displayName.empty()) {
        failureText = "Xvfb did not start (is the package xvfb installed?)";
        return false;
    }
    displayName.insert(0, ":");
    return true;
}

bool XServer::waitForWindowManager()
{
    Display* x = openbox > 0 ? XOpenDisplay(displayName.c_str()) : nullptr;
    if (x == nullptr) {
        failureText = "cannot start openbox on " + displayName;
        return false;
    }
    const Window root = DefaultRootWindow(x);
    const Atom check = XInternAtom(x, "_NET_SUPPORTING_WM_CHECK", False);
    XSelectInput(x, root, PropertyChangeMask);
    pollfd connection { ConnectionNumber(x), POLLIN, 0 };
    bool ready = false;
    // Looks again each time the root window's properties change; openbox changes them often
    // while it starts, so a long quiet means it will not.
    do {
        for (XEvent event; XPending(x) > 0;)
            XNextEvent(x, &event);
        int count = 0;
        Atom* names = XListProperties(x, root, &count);
        ready = std::find(names, names + count, check) != names + count;
        XFree(names);
    } while (!ready && (XPending(x) > 0 || poll(&connection, 1, kStartWaitMs) > 0));
    XCloseDisplay(x);
    if (!ready)
        failureText = "openbox did not take the screen (is the package openbox installed?)";
    return ready;
}
