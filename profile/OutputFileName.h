// The numbered output names: each run writes its own plan file.
#pragma once

#include <string>
#include <string_view>

// The output file of run n: its decimal number put in front of the whole base name, so the
// extension stays at the end (1plan.out, 2plan.out, ... 10plan.out).
inline std::string outputFileName(int run, std::string_view baseName)
{
    return std::to_string(run).append(baseName);
}

// Outputs are files of the working folder: a name with a folder part, "..", or a drive (or a
// Windows stream after a colon) would let a profile.dat from elsewhere have korax write, and the
// window delete, any file the user may write.
inline bool leavesTheFolder(std::string_view name)
{
    return name == "." || name == ".." || name.find_first_of("/\\:") != std::string_view::npos;
}
