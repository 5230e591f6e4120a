// Reads arbitrary bytes as profile.dat, saves them, and checks what came back: the input up to
// its first NUL with every line end made CR LF and a CR LF after a last line that had none,
// then the bytes from the NUL to the end unchanged, also after edits.
#include "profile/TProfile.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace {

std::string expectedSave(std::string_view whole)
{
    const std::size_t nul = std::min(whole.find('\0'), whole.size());
    const std::string_view input = whole.substr(0, nul);
    std::string out;
    for (std::size_t i = 0; i < input.size(); ++i) {
        if (input[i] == '\r' || input[i] == '\n') {
            out += "\r\n";
            if (input[i] == '\r' && i + 1 < input.size() && input[i + 1] == '\n')
                ++i;
        } else {
            out += input[i];
        }
    }
    if (!input.empty() && input.back() != '\r' && input.back() != '\n')
        out += "\r\n";
    out += whole.substr(nul);
    return out;
}

std::string readBack(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

const std::string& scratchFile()
{
    static const std::string path = [] {
        const auto folder = std::filesystem::exists("/dev/shm") ? std::filesystem::path("/dev/shm")
                                                                : std::filesystem::temp_directory_path();
        return (folder / ("trova-fuzz-" + std::to_string(::getpid()) + ".dat")).string();
    }();
    return path;
}

void exerciseLookups(TProfile& profile)
{
    for (const char* key : { "AscentRate:", "Rmv:", ":", " ", "#" }) {
        profile.GetValue(key);
        profile.GetComment();
        for (int i = 0; i < 8 && profile.GetNext() != kMissingValue; ++i)
            profile.GetComment();
    }
    profile.GetBool("SaltWater:");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string& path = scratchFile();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(input.data(), static_cast<std::streamsize>(input.size()));
    }
    TProfile profile(path);
    exerciseLookups(profile);
    profile.Save();
    if (readBack(path) != expectedSave(input))
        std::abort();

    profile.SetValues("AscentRate:", { "1", " ", "2" });
    profile.SetValue("Rmv:", "20");
    profile.Save();
    // Edits go into the lines; the bytes from the NUL still end the file.
    if (!readBack(path).ends_with(input.substr(std::min(input.find('\0'), input.size()))))
        std::abort();
    return 0;
}
