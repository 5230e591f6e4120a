// The planner's golden plans: korax run in a folder as T/ROVA runs it.
//
// tests/data/planner/golden holds profile.dat files (NAME.dat) with the plan file (NAME.plan)
// and the --json output (NAME.json) korax gave for them; a stale plan file stands in the folder
// and the *.tissues files beside them are copied in. Run with KORAX_GOLDEN_WRITE=1 to write the
// outputs of new NAME.dat files (then read the diff before committing it).
#include "planner/Korax.h"
#include "tests/portable/PortableTest.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

namespace portable {

// korax as T/ROVA runs it in its folder, with a stale plan of an earlier run there.
void goldenPlans(const fs::path& data)
{
    const fs::path golden = data / "planner" / "golden";
    std::vector<fs::path> settings;
    for (const fs::directory_entry& entry : fs::directory_iterator(golden)) {
        if (entry.path().extension() == ".dat")
            settings.push_back(entry.path());
    }
    std::sort(settings.begin(), settings.end());
    inFolder("golden", [&] { expect(settings.size() >= 30, "golden", "the golden plans are missing"); });
    for (const fs::path& dat : settings) {
        inFolder(utf8Of(dat.filename()), [&] {
            const std::string name = utf8Of(dat.filename());
            fs::copy_file(dat, "profile.dat");
            std::ofstream("plan.out", std::ios::binary) << "KORAX 0.9 \x96 pl\xe1n ponoru of an earlier run\r\n";
            for (const fs::directory_entry& entry : fs::directory_iterator(golden)) {
                if (entry.path().extension() == ".tissues")
                    fs::copy_file(entry.path(), entry.path().filename());
            }
            std::ostringstream out;
            std::ostringstream err;
            const int status = korax::runKorax({ "--json" }, out, err);
            fs::path expected = dat;
            if (std::getenv("KORAX_GOLDEN_WRITE") != nullptr) {
                std::ofstream(expected.replace_extension(".json"), std::ios::binary) << out.str();
                fs::copy_file("plan.out", expected.replace_extension(".plan"), fs::copy_options::overwrite_existing);
                return;
            }
            const std::string json = bytesOf(expected.replace_extension(".json"));
            expect(status == (json.find("\"problems\":[]") != std::string::npos ? 0 : 2), name, "exit status");
            expect(bytesOf("plan.out") == bytesOf(expected.replace_extension(".plan")), name, "plan file");
            expect(out.str() == json, name, "JSON");
        });
    }
    // A plan name in Windows-1250 reaches the file system as the same characters.
    inFolder("Windows-1250 plan name", [] {
        std::ofstream("profile.dat", std::ios::binary) << "45, 25, 21/35\r\nPlanFile: pl\xe1n\x9a.out\r\n";
        std::ostringstream out;
        korax::runKorax({}, out, out);
        expect(fs::exists(fs::path(u8"plánš.out")), "Windows-1250 plan name", "plánš.out written");
    });
}

} // namespace portable
