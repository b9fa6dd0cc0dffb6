#pragma once

// Handles to the process's kernel objects (started processes, shared memory
// blocks). A handle is an opaque number that is never null and never
// INVALID_HANDLE_VALUE; CloseHandle releases one handle, and an object goes
// away with the last handle to it.

#include "platform/base/Types.h"

#include <map>
#include <memory>
#include <mutex>

namespace sys {

class KernelObject {
public:
    virtual ~KernelObject() = default;
};

class HandleTable {
public:
    static HandleTable& Instance();

    HANDLE Add(std::shared_ptr<KernelObject> object);
    std::shared_ptr<KernelObject> Find(HANDLE handle) const;
    std::shared_ptr<KernelObject> Remove(HANDLE handle);

    template<typename Object>
    std::shared_ptr<Object> Find(HANDLE handle) const
    {
        return std::dynamic_pointer_cast<Object>(Find(handle));
    }

private:
    mutable std::mutex m_mutex;
    std::map<HANDLE, std::shared_ptr<KernelObject>> m_objects;
    std::uintptr_t m_nextValue = 0x1000;
};

} // namespace sys

// FALSE with ERROR_INVALID_HANDLE when `handle` is not open.
BOOL CloseHandle(HANDLE handle);
