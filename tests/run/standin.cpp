// Stands in for the planner (installed as korax.exe) and the viewer (as notepad.exe): appends
// its arguments to "<its name>.log" in the working folder. As the planner it also writes the
// plan file that profile.dat names.
#include "platform/FileNames.h"
#include "profile/TProfile.h"

#include <filesystem>
#include <fstream>
#include <string>

int main(int argc, char* argv[])
{
    const std::string name = std::filesystem::path(argv[0]).filename().string();
    std::ofstream calls(name + ".log", std::ios::app | std::ios::binary);
    calls << "argc=" << argc - 1;
    for (int i = 1; i < argc; ++i)
        calls << '|' << argv[i];
    calls << '\n';
    if (name != "korax.exe")
        return 0;
    TProfile profile("profile.dat");
    std::ofstream(platform::nativeFileName(profile.GetValue("PlanFile:")), std::ios::binary) << "plan\r\n";
    return 3; // any exit code: the window ignores it
}
