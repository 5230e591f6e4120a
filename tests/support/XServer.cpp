#include "tests/support/XServer.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

// Generous: the test machines are loaded two-core boxes.
constexpr auto kStartWait = std::chrono::seconds(30);

using Clock = std::chrono::steady_clock;

int millisecondsLeft(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

// Starts program with arguments and the environment plus extra; its output goes nowhere, and
// keepOpen stays open across the exec (-1 for none).
pid_t spawn(const std::vector<std::string>& command, const std::string& extra, int keepOpen)
{
    std::vector<char*> arguments;
    for (const std::string& argument : command)
        arguments.push_back(const_cast<char*>(argument.c_str()));
    arguments.push_back(nullptr);
    std::vector<char*> environment;
    for (char** entry = environ; *entry != nullptr; ++entry)
        environment.push_back(*entry);
    if (!extra.empty())
        environment.push_back(const_cast<char*>(extra.c_str()));
    environment.push_back(nullptr);

    const pid_t child = fork();
    if (child == 0) {
        const int nowhere = open("/dev/null", O_WRONLY);
        dup2(nowhere, STDOUT_FILENO);
        dup2(nowhere, STDERR_FILENO);
        if (keepOpen >= 0)
            fcntl(keepOpen, F_SETFD, 0);
        execvpe(arguments[0], arguments.data(), environment.data());
        _exit(127);
    }
    return child;
}

void endProcess(pid_t& process)
{
    if (process <= 0)
        return;
    kill(process, SIGTERM);
    while (waitpid(process, nullptr, 0) < 0 && errno == EINTR) { }
    process = -1;
}

// Reaps process when it has ended, so that it is not signalled later.
bool hasEnded(pid_t& process)
{
    if (waitpid(process, nullptr, WNOHANG) != process)
        return false;
    process = -1;
    return true;
}

} // namespace

XServer::XServer(Manager manager)
{
    if (startXvfb() && manager == Manager::Openbox && startOpenbox())
        waitForWindowManager();
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
    xvfb = spawn({ "Xvfb", "-displayfd", std::to_string(number[1]), "-dpi", "96", "-screen", "0", "1280x1024x24",
                     "-nolisten", "tcp" },
        {}, number[1]);
    close(number[1]);
    std::string digits;
    const Clock::time_point deadline = Clock::now() + kStartWait;
    pollfd reader { number[0], POLLIN, 0 };
    char c = 0;
    while (poll(&reader, 1, millisecondsLeft(deadline)) > 0 && read(number[0], &c, 1) == 1 && c != '\n')
        digits += c;
    close(number[0]);
    if (xvfb < 0 || c != '\n' || digits.empty()) {
        failureText = "Xvfb did not start (is the package xvfb installed?)";
        return false;
    }
    displayName = ':' + digits;
    return true;
}

bool XServer::startOpenbox()
{
    openbox = spawn({ "openbox", "--sm-disable" }, "DISPLAY=" + displayName, -1);
    if (openbox < 0) {
        failureText = "cannot start openbox";
        return false;
    }
    return true;
}

bool XServer::waitForWindowManager()
{
    Display* x = XOpenDisplay(displayName.c_str());
    if (x == nullptr) {
        failureText = "cannot open " + displayName;
        return false;
    }
    const Window root = DefaultRootWindow(x);
    const Atom check = XInternAtom(x, "_NET_SUPPORTING_WM_CHECK", False);
    XSelectInput(x, root, PropertyChangeMask);
    const Clock::time_point deadline = Clock::now() + kStartWait;
    bool ready = false;
    while (!ready) {
        Atom type = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* value = nullptr;
        ready = XGetWindowProperty(x, root, check, 0, 1, False, XA_WINDOW, &type, &format, &count, &after, &value)
                == Success
            && count == 1;
        XFree(value);
        if (ready || hasEnded(openbox) || millisecondsLeft(deadline) == 0)
            break;
        // Sleeps until the root window's properties change (or the time is up).
        pollfd connection { ConnectionNumber(x), POLLIN, 0 };
        if (XPending(x) == 0)
            poll(&connection, 1, millisecondsLeft(deadline));
        while (XPending(x) > 0) {
            XEvent event;
            XNextEvent(x, &event);
        }
    }
    XCloseDisplay(x);
    if (!ready)
        failureText = "openbox did not take the screen (is the package openbox installed?)";
    return ready;
}
