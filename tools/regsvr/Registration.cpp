#include "tools/regsvr/Registration.h"

#include "platform/automation/ComponentLibrary.h"
#include "platform/automation/ResultText.h"

#include <dlfcn.h>
#include <filesystem>

namespace regsvr {

namespace {

using EntryPoint = HRESULT (*)();

} // namespace

std::optional<Options> ParseArguments(const std::vector<std::string>& arguments)
{
    Options options;
    bool haveFile = false;
    for (const std::string& argument : arguments) {
        if (argument == "/s" || argument == "/S" || argument == "-s" || argument == "-S") {
            options.silent = true;
        } else if (argument == "/u" || argument == "/U" || argument == "-u" || argument == "-U") {
            options.unregister = true;
        } else if (!haveFile && !argument.empty()) {
            options.file = argument;
            haveFile = true;
        } else {
            return std::nullopt;
        }
    }
    if (!haveFile)
        return std::nullopt;
    return options;
}

std::string Usage()
{
    return "Usage: regsvr [/s] [/u] FILE\n"
           "Registers the component FILE (calls its DllRegisterServer), or with /u\n"
           "unregisters it (DllUnregisterServer). /s shows no message on success.";
}

Outcome Run(const Options& options)
{
    const char* entryName = options.unregister ? "DllUnregisterServer" : "DllRegisterServer";
    std::error_code error;
    const std::filesystem::path given(options.file);
    if (!std::filesystem::is_regular_file(given, error))
        return { NotAFile, options.file + " is not a file." };
    // The component records the path it was loaded by, so load it by its full path.
    const std::filesystem::path full = std::filesystem::canonical(given, error);
    if (error)
        return { NotAFile, options.file + " cannot be opened: " + error.message() + "." };

    void* handle = dlopen(full.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* reason = dlerror();
        return { NotLoadable,
            options.file + " is not a component: it cannot be loaded ("
                + std::string(reason ? reason : "unknown reason") + ")." };
    }
    auto entry = reinterpret_cast<EntryPoint>(dlsym(handle, entryName));
    if (!entry) {
        // Nothing of the file has run but its initialisers; it can go again.
        dlclose(handle);
        return { NoEntryPoint, options.file + " is not a component: it has no " + entryName + " entry point." };
    }
    const HRESULT initialised = CoInitialize(nullptr);
    const HRESULT hr = entry();
    if (SUCCEEDED(initialised))
        CoUninitialize();
    // The component stays loaded until the program ends, as its objects may.
    if (FAILED(hr))
        return { EntryPointFailed,
            std::string(entryName) + " in " + options.file + " failed with " + automation::ResultText(hr) + "." };
    return { Success, std::string(entryName) + " in " + options.file + " succeeded." };
}

} // namespace regsvr
