// Stands in for the planner (installed as korax.exe) and the viewer (as notepad.exe): appends
// its arguments to "<its name>.log" in the working folder. As the planner it keeps a copy of
// the profile.dat it was given as "profile.seen" and then acts as STANDIN_PLANNER says:
//   (unset)   replaces the plan file that profile.dat names and exits with 3, as ours does
//             for invalid settings;
//   fail      exits with 3 without writing;
//   crash     writes the plan, then is killed by a signal;
//   in-place  rewrites the plan in place with the same size and puts its old modification
//             time back, as a coarse clock would show it; exits with 0;
//   keys      sends Return and Escape to the focused window through XTest (xdotool) on its
//             first run in the folder, then writes the plan and exits with 0.
#include "files/FileNames.h"
#include "files/FileReplace.h"
#include "profile/TProfile.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

constexpr char kPlan[] = "plan\r\n";

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
    if (how == "in-place") {
        const auto modified = std::filesystem::last_write_time(plan);
        std::fstream(plan, std::ios::in | std::ios::out | std::ios::binary) << kPlan;
        std::filesystem::last_write_time(plan, modified);
        return 0;
    }
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
