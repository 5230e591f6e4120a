#include "tests/support/XServer.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

XServer::XServer()
{
    int ready[2];
    if (pipe2(ready, O_CLOEXEC) != 0)
        return;
    pid = fork();
    if (pid == 0) {
        // Xvfb writes the display number it chose to this descriptor once it is ready.
        const int fd = dup(ready[1]);
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, STDOUT_FILENO);
        dup2(quiet, STDERR_FILENO);
        const std::string fdText = std::to_string(fd);
        execlp("Xvfb", "Xvfb", "-displayfd", fdText.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
            static_cast<char*>(nullptr));
        _exit(127);
    }
    close(ready[1]);
    std::string number;
    char c = 0;
    while (pid > 0 && read(ready[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(ready[0]);
    if (c == '\n' && !number.empty())
        name = ':' + number;
}

XServer::~XServer()
{
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
}
