#pragma once

// Cause numbers of local file errors, numbered as the platform's file layer
// numbers them. A failed download reports 100 + the cause.
//
//   cause  meaning             raised by (errno)
//   1      generic             anything not listed below
//   2      file not found      not raised by downloads, which create their file
//   3      bad path            ENOENT, ENOTDIR, ENAMETOOLONG, ELOOP: a folder on the way is missing or not a folder
//   5      access denied       EACCES, EPERM, EROFS, EISDIR: no write permission, read-only file system, a folder
//   7      sharing violation   ETXTBSY, EBUSY: the file is in use (a running program, a busy device)
//   13     disk full           ENOSPC, EDQUOT, EFBIG: no room left, quota reached, file too large

namespace http {

enum class FileErrorCause : int {
    Generic = 1,
    FileNotFound = 2,
    BadPath = 3,
    AccessDenied = 5,
    SharingViolation = 7,
    DiskFull = 13,
};

FileErrorCause FileErrorCauseFromErrno(int error);

} // namespace http
