#include "platform/system/SharedMemory.h"

#include "platform/base/Errors.h"
#include "platform/system/ErrnoError.h"
#include "platform/system/SharedBlock.h"

#include <cerrno>
#include <map>
#include <mutex>
#include <sys/mman.h>
#include <unistd.h>

namespace {

struct View {
    std::size_t length;
    std::shared_ptr<sys::SharedBlock> block; // a view keeps its block alive
};

std::mutex g_viewMutex;
std::map<const void*, View> g_views; // guarded by g_viewMutex

std::uint64_t Combine(DWORD high, DWORD low) { return (static_cast<std::uint64_t>(high) << 32) | low; }

HANDLE Fail(LONG error)
{
    SetLastError(error);
    return nullptr;
}

} // namespace

HANDLE CreateFileMappingA(HANDLE file, LPSECURITY_ATTRIBUTES, DWORD protect, DWORD maximumSizeHigh,
                          DWORD maximumSizeLow, LPCSTR name)
{
    if (file != INVALID_HANDLE_VALUE)
        return Fail(ERROR_INVALID_HANDLE);
    DWORD pageProtection = protect & 0xFF;
    if (pageProtection != PAGE_READONLY && pageProtection != PAGE_READWRITE)
        return Fail(ERROR_INVALID_PARAMETER);
    bool existed = false;
    LONG error = ERROR_SUCCESS;
    auto block = sys::SharedBlock::Create(name ? name : "", Combine(maximumSizeHigh, maximumSizeLow), existed, error);
    if (!block)
        return Fail(error);
    HANDLE handle = sys::HandleTable::Instance().Add(
        std::make_shared<sys::MappingHandle>(std::move(block), pageProtection == PAGE_READWRITE));
    SetLastError(existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return handle;
}

HANDLE OpenFileMappingA(DWORD desiredAccess, BOOL, LPCSTR name)
{
    LONG error = ERROR_SUCCESS;
    auto block = sys::SharedBlock::Open(name ? name : "", error);
    if (!block)
        return Fail(error);
    bool writable = (desiredAccess & FILE_MAP_WRITE) != 0;
    return sys::HandleTable::Instance().Add(std::make_shared<sys::MappingHandle>(std::move(block), writable));
}

LPVOID MapViewOfFile(HANDLE mapping, DWORD desiredAccess, DWORD offsetHigh, DWORD offsetLow, SIZE_T bytes)
{
    auto handle = sys::HandleTable::Instance().Find<sys::MappingHandle>(mapping);
    if (!handle)
        return Fail(ERROR_INVALID_HANDLE);
    bool write = (desiredAccess & FILE_MAP_WRITE) != 0;
    if (write && !handle->Writable())
        return Fail(ERROR_ACCESS_DENIED);

    const std::uint64_t size = handle->Block()->Size();
    const std::uint64_t offset = Combine(offsetHigh, offsetLow);
    if (offset % static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE)) != 0)
        return Fail(ERROR_MAPPED_ALIGNMENT);
    if (offset >= size || (bytes && bytes > size - offset))
        return Fail(ERROR_ACCESS_DENIED);
    std::size_t length = bytes ? bytes : static_cast<std::size_t>(size - offset);

    int protection = PROT_READ | (write ? PROT_WRITE : 0);
    void* address = mmap(nullptr, length, protection, MAP_SHARED, handle->Block()->Descriptor(),
                         static_cast<off_t>(offset));
    if (address == MAP_FAILED)
        return Fail(sys::ErrorFromErrno(errno));
    std::lock_guard lock(g_viewMutex);
    g_views[address] = View {length, handle->Block()};
    return address;
}

BOOL UnmapViewOfFile(LPCVOID address)
{
    View view;
    {
        std::lock_guard lock(g_viewMutex);
        auto found = g_views.find(address);
        if (found == g_views.end()) {
            SetLastError(ERROR_INVALID_ADDRESS);
            return FALSE;
        }
        view = std::move(found->second);
        g_views.erase(found);
    }
    munmap(const_cast<void*>(address), view.length);
    return TRUE;
}

namespace sys {

std::uint64_t SharedMemorySize(HANDLE mapping)
{
    auto handle = HandleTable::Instance().Find<MappingHandle>(mapping);
    return handle ? handle->Block()->Size() : 0;
}

} // namespace sys
