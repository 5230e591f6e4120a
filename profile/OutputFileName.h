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
