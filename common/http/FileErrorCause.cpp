#include "common/http/FileErrorCause.h"

#include <cerrno>

namespace http {

FileErrorCause FileErrorCauseFromErrno(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return FileErrorCause::BadPath;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return FileErrorCause::AccessDenied;
    case ETXTBSY:
    case EBUSY:
        return FileErrorCause::SharingViolation;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return FileErrorCause::DiskFull;
    default:
        return FileErrorCause::Generic;
    }
}

} // namespace http
