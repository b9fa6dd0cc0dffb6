#pragma once

// Named shared memory under the platform's names, over POSIX shared memory of
// the same name (see platform/system/SharedBlock.h for how long a block lives).
// Only blocks backed by memory are offered: the file handle must be
// INVALID_HANDLE_VALUE.

#include "platform/base/Types.h"
#include "platform/system/HandleTable.h"
#include "platform/system/SecurityAttributes.h"

#include <cstddef>
#include <cstdint>

using SIZE_T = std::size_t;

constexpr DWORD PAGE_READONLY = 0x02;
constexpr DWORD PAGE_READWRITE = 0x04;
constexpr DWORD FILE_MAP_WRITE = 0x0002;
constexpr DWORD FILE_MAP_READ = 0x0004;
constexpr DWORD FILE_MAP_ALL_ACCESS = 0x000F001F;

// Makes a block of maximumSizeHigh:maximumSizeLow bytes under `name` (nullptr:
// a private block). When a block of that name exists already, returns a handle
// to it with its own size and sets the last error to ERROR_ALREADY_EXISTS;
// otherwise the last error is ERROR_SUCCESS. A size of 0 is refused.
HANDLE CreateFileMappingA(HANDLE file, LPSECURITY_ATTRIBUTES attributes, DWORD protect, DWORD maximumSizeHigh,
                          DWORD maximumSizeLow, LPCSTR name);

// A handle to the existing block `name`; nullptr with ERROR_FILE_NOT_FOUND
// when there is none.
HANDLE OpenFileMappingA(DWORD desiredAccess, BOOL inheritHandle, LPCSTR name);

// Maps `bytes` bytes (0: to the end) from the offset, which must be a multiple
// of the page size. A view reaching past the end of the block is refused with
// ERROR_ACCESS_DENIED, and so is a writable view of a read-only handle.
LPVOID MapViewOfFile(HANDLE mapping, DWORD desiredAccess, DWORD offsetHigh, DWORD offsetLow, SIZE_T bytes);

BOOL UnmapViewOfFile(LPCVOID address);

namespace sys {

// The size in bytes of the block behind a mapping handle; 0 for a handle that
// is not one. A process that opens a block made by another uses it to check
// the block is as long as it expects before reading.
std::uint64_t SharedMemorySize(HANDLE mapping);

} // namespace sys
