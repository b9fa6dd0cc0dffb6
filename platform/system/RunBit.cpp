#include "platform/system/RunBit.h"

#include <sys/stat.h>

namespace sys {

bool MakeRunnable(const std::string& path)
{
    struct stat status { };
    if (stat(path.c_str(), &status) != 0)
        return false;
    const mode_t readers = status.st_mode & (S_IRUSR | S_IRGRP | S_IROTH);
    return chmod(path.c_str(), (status.st_mode & 07777) | S_IXUSR | (readers >> 2)) == 0;
}

} // namespace sys
