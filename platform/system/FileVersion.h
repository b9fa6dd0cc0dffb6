#pragma once

// File version records. Every deliverable carries one fixed version record in
// the ELF section ".plinth_version", put there at build time by
// plinth_set_version() (cmake/PlinthVersion.cmake). The record has the
// platform's 52-byte fixed file-info layout, so version readers compare the
// same four numbers on every system. The version-information block handed out
// by GetFileVersionInfoA is that record; "\\" is the only value it holds.

#include "platform/base/Types.h"

#include <optional>
#include <string>

struct VS_FIXEDFILEINFO {
    DWORD dwSignature;
    DWORD dwStrucVersion;
    DWORD dwFileVersionMS;
    DWORD dwFileVersionLS;
    DWORD dwProductVersionMS;
    DWORD dwProductVersionLS;
    DWORD dwFileFlagsMask;
    DWORD dwFileFlags;
    DWORD dwFileOS;
    DWORD dwFileType;
    DWORD dwFileSubtype;
    DWORD dwFileDateMS;
    DWORD dwFileDateLS;
};
static_assert(sizeof(VS_FIXEDFILEINFO) == 52);

constexpr DWORD VS_FFI_SIGNATURE = 0xFEEF04BD;
constexpr DWORD VS_FFI_STRUCVERSION = 0x00010000;
constexpr DWORD VS_FFI_FILEFLAGSMASK = 0x0000003F;
constexpr DWORD VOS_NT_WINDOWS32 = 0x00040004;
constexpr DWORD VFT_UNKNOWN = 0;
constexpr DWORD VFT_APP = 1;
constexpr DWORD VFT_DLL = 2;

using PUINT = UINT*;

namespace sys {

inline constexpr const char* VersionSectionName = ".plinth_version";

// The version record of the file at `path`: nothing when the file is missing,
// unreadable, not an ELF file, or carries no well-formed record.
std::optional<VS_FIXEDFILEINFO> ReadFileVersion(const std::string& path);

} // namespace sys

// The size of the file's version-information block (0 when it has none, with
// the last error set). `handle` is set to 0 when given.
DWORD GetFileVersionInfoSizeA(LPCSTR fileName, LPDWORD handle);

// Copies the file's version-information block into `data`, which holds `size`
// bytes; FALSE when the file has none or `size` is too small.
BOOL GetFileVersionInfoA(LPCSTR fileName, DWORD handle, DWORD size, LPVOID data);

// Points `buffer` at the fixed record inside a block from GetFileVersionInfoA
// when `subBlock` is "\\"; any other sub-block is not found.
BOOL VerQueryValueA(LPCVOID block, LPCSTR subBlock, LPVOID* buffer, PUINT length);
