// Entry point of korax.exe: the planner that T/ROVA runs in its working directory.
#include "planner/Korax.h"

#include <iostream>

int main(int argc, char* argv[])
{
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.emplace_back(argv[i]);
    return korax::runKorax(arguments, std::cout, std::cerr);
}
