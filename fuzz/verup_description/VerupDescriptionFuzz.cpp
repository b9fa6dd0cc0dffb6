// The updater reads descriptions handed over from Mendor, which come from the
// vendor site; every entry's target must resolve inside the allowed folders or
// be refused, whatever the text says.

#include "outside/verup/InstallTarget.h"
#include "outside/verup/UpdateEntry.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

std::string g_root;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    std::string pattern = (std::filesystem::temp_directory_path() / "plinth-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        std::abort();
    g_root = std::filesystem::canonical(pattern).string();
    setenv("PLINTH_ROOT", g_root.c_str(), 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    verup::UpdateDescription description;
    std::string error;
    if (!verup::ReadDescription(text, description, error))
        return 0;
    const verup::CInstallTarget target(description);
    for (const verup::UpdateEntry& entry : description.entries) {
        std::string path;
        if (!target.Resolve(entry, path, error))
            continue;
        bool inside = false;
        for (const std::string& folder : target.AllowedFolders())
            inside = inside || path.starts_with(folder + "/");
        if (!inside)
            std::abort();
    }
    return 0;
}
