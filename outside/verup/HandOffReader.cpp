#include "outside/verup/HandOffReader.h"

#include "platform/system/SharedMemory.h"

#include <cstring>

namespace verup {

namespace {

// The mapping handle is closed however the copy ends.
class CMapping {
public:
    explicit CMapping(HANDLE handle)
        : m_handle(handle)
    {
    }
    ~CMapping()
    {
        if (m_handle)
            CloseHandle(m_handle);
    }
    CMapping(const CMapping&) = delete;
    CMapping& operator=(const CMapping&) = delete;

    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle;
};

} // namespace

bool ParseLength(const std::string& argument, std::size_t& length)
{
    if (argument.empty() || argument.size() > 12)
        return false;
    length = 0;
    for (char c : argument) {
        if (c < '0' || c > '9')
            return false;
        length = length * 10 + static_cast<std::size_t>(c - '0');
    }
    return length > 0;
}

bool TakeHandOff(std::size_t length, std::string& description, std::string& error)
{
    CMapping mapping(OpenFileMappingA(FILE_MAP_READ | FILE_MAP_WRITE, FALSE, HandOffBlockName));
    if (!mapping.Get()) {
        error = "there is no upgrade description to read (no block VERUP_XML_SHARE)";
        return false;
    }
    const std::uint64_t size = sys::SharedMemorySize(mapping.Get());
    if (size < length) {
        error = "the upgrade description is truncated: " + std::to_string(size) + " bytes of " + std::to_string(length);
        return false;
    }
    auto* bytes = static_cast<char*>(MapViewOfFile(mapping.Get(), FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, 0));
    if (!bytes) {
        error = "the upgrade description cannot be read";
        return false;
    }
    description.assign(bytes, length);
    std::memset(bytes, 0, static_cast<std::size_t>(size));
    UnmapViewOfFile(bytes);
    return true;
}

} // namespace verup
