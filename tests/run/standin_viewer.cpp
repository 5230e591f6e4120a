// A stand-in for the text viewer: records its arguments in the folder it was started in.
#include <fstream>

int main(int argc, char* argv[])
{
    std::ofstream calls("viewer-calls.log", std::ios::app | std::ios::binary);
    calls << "argc=" << argc - 1;
    for (int i = 1; i < argc; ++i)
        calls << '|' << argv[i];
    calls << '\n';
    return 0;
}
