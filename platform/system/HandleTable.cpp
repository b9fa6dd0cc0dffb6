#include "platform/system/HandleTable.h"

#include "platform/base/Errors.h"

namespace sys {

HandleTable& HandleTable::Instance()
{
    static HandleTable table;
    return table;
}

HANDLE HandleTable::Add(std::shared_ptr<KernelObject> object)
{
    std::lock_guard lock(m_mutex);
    // Handle values step by four, as the platform's do, and are not reused
    // soon, so a stale handle finds nothing rather than someone else's object.
    HANDLE handle = reinterpret_cast<HANDLE>(m_nextValue);
    m_nextValue += 4;
    m_objects.emplace(handle, std::move(object));
    return handle;
}

std::shared_ptr<KernelObject> HandleTable::Find(HANDLE handle) const
{
    std::lock_guard lock(m_mutex);
    auto found = m_objects.find(handle);
    return found == m_objects.end() ? nullptr : found->second;
}

std::shared_ptr<KernelObject> HandleTable::Remove(HANDLE handle)
{
    std::lock_guard lock(m_mutex);
    auto found = m_objects.find(handle);
    if (found == m_objects.end())
        return nullptr;
    std::shared_ptr<KernelObject> object = std::move(found->second);
    m_objects.erase(found);
    return object;
}

} // namespace sys

BOOL CloseHandle(HANDLE handle)
{
    // The object is released here, outside the table's lock: releasing a
    // shared memory block may take a while.
    std::shared_ptr<sys::KernelObject> object = sys::HandleTable::Instance().Remove(handle);
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}
