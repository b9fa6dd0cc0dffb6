#include "platform/system/FileVersion.h"

#include "platform/base/Errors.h"
#include "platform/system/ElfSectionReader.h"

#include <cstring>
#include <filesystem>

namespace {

LONG MissingRecordError(const char* fileName)
{
    std::error_code error;
    if (!fileName || !std::filesystem::exists(fileName, error))
        return ERROR_FILE_NOT_FOUND;
    return ERROR_RESOURCE_TYPE_NOT_FOUND;
}

} // namespace

namespace sys {

std::optional<VS_FIXEDFILEINFO> ReadFileVersion(const std::string& path)
{
    auto section = ElfSectionReader::FindInFile(path, VersionSectionName, sizeof(VS_FIXEDFILEINFO));
    if (!section || section->size() != sizeof(VS_FIXEDFILEINFO))
        return std::nullopt;
    VS_FIXEDFILEINFO record;
    std::memcpy(&record, section->data(), sizeof record);
    if (record.dwSignature != VS_FFI_SIGNATURE)
        return std::nullopt;
    return record;
}

} // namespace sys

DWORD GetFileVersionInfoSizeA(LPCSTR fileName, LPDWORD handle)
{
    if (handle)
        *handle = 0;
    if (!fileName || !sys::ReadFileVersion(fileName)) {
        SetLastError(MissingRecordError(fileName));
        return 0;
    }
    return sizeof(VS_FIXEDFILEINFO);
}

BOOL GetFileVersionInfoA(LPCSTR fileName, DWORD, DWORD size, LPVOID data)
{
    if (!data) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto record = fileName ? sys::ReadFileVersion(fileName) : std::nullopt;
    if (!record) {
        SetLastError(MissingRecordError(fileName));
        return FALSE;
    }
    if (size < sizeof *record) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    std::memcpy(data, &*record, sizeof *record);
    return TRUE;
}

BOOL VerQueryValueA(LPCVOID block, LPCSTR subBlock, LPVOID* buffer, PUINT length)
{
    if (length)
        *length = 0;
    if (!block || !subBlock || !buffer || !length) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    DWORD signature;
    std::memcpy(&signature, block, sizeof signature);
    if (std::strcmp(subBlock, "\\") != 0 || signature != VS_FFI_SIGNATURE) {
        SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
        return FALSE;
    }
    *buffer = const_cast<LPVOID>(block);
    *length = sizeof(VS_FIXEDFILEINFO);
    return TRUE;
}
