// Stands in for the planner (installed as korax.exe) and the viewer (as notepad.exe): appends
// its arguments to "<its name>.log" in the working folder. As the planner it keeps a copy of
// the profile.dat it was given as "profile.seen" and then acts as STANDIN_PLANNER says:
//   (unset)   replaces the plan file that profile.dat names and exits with 3, as ours does
//             for invalid settings;
//   fail      exits with 3 without writing;
//   crash     writes the plan, then is killed by a signal;
//   in-place  rewrites the plan in place with the same size and puts its old modification
//             time back, as a coarse clock would show it; exits with 0;
//   in-place-fail  rewrites the plan in place with the same size, most likely within the second
//             it was last written, and exits with 3: only the nanoseconds tell the write;
//   keys      sends Return and Escape to the focused window through XTest (xdotool) on its
//             first run in the folder, then writes the plan and exits with 0;
//   painted   waits until a byte comes through the named pipe "painted" in the folder (a
//             window that paints while it runs sends one), then writes the plan and exits with
//             0; when none comes in a minute it gives up with 4, so a window that cannot
//             paint fails its test instead of hanging it.
#include "files/FileNames.h"
#include "files/FileReplace.h"
#include "profile/TProfile.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <string>
#include <unistd.h>

namespace {

constexpr char kPlan[] = "plan\r\n";
constexpr int kGiveUpMs = 60000;

bool byteThrough(const char* pipe)
{
    const int fd = ::open(pipe, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    pollfd waiting { fd, POLLIN, 0 };
    char byte = 0;
    const bool got = ::poll(&waiting, 1, kGiveUpMs) == 1 && ::read(fd, &byte, 1) == 1;
    ::close(fd);
    return got;
}

} // namespace

int main(int argc, char* argv[])
{
    const std::string name = std::filesystem::path(argv[0]).filename().string();
    std::ofstream calls(name + ".log", std::ios::app | std::ios::binary);
    calls << "argc=" << argc - 1;
    for (int i = 1; i < argc; ++i)
        calls << '|' << argv[i];
    calls << '\n';
    calls.close();
    if (name != "korax.exe")
        return 0;
    std::filesystem::copy_file("profile.dat", "profile.seen", std::filesystem::copy_options::overwrite_existing);
    const char* mode = std::getenv("STANDIN_PLANNER");
    const std::string how = mode != nullptr ? mode : "";
    const std::string plan = platform::nativeFileName(TProfile("profile.dat").GetValue("PlanFile:"));
    if (how == "fail")
        return 3;
    if (how == "in-place-fail") {
        std::fstream(plan, std::ios::in | std::ios::out | std::ios::binary) << kPlan;
        return 3;
    }
    if (how == "in-place") {
        const auto modified = std::filesystem::last_write_time(plan);
        std::fstream(plan, std::ios::in | std::ios::out | std::ios::binary) << kPlan;
        std::filesystem::last_write_time(plan, modified);
        return 0;
    }
    if (how == "painted" && !byteThrough("painted"))
        return 4;
    if (how == "keys" && !std::filesystem::exists("keys.sent")) { // types on the first run only
        std::ofstream("keys.sent");
        if (std::system("xdotool key Return Escape") != 0)
            return 2;
    }
    if (!platform::replaceFileContents(plan, kPlan))
        return 2;
    if (how == "crash")
        std::raise(SIGKILL);
    return how == "keys" ? 0 : 3;
}
