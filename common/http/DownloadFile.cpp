#include "common/http/DownloadFile.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace http {

namespace {

// Leaves room for the prefix and suffix within the usual 255-byte name limit.
constexpr std::size_t PartNameStemLimit = 200;
constexpr int PartNameAttempts = 100;

std::string RandomSuffix()
{
    thread_local std::mt19937_64 generator { std::random_device {}() };
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(generator()));
    return std::string(text, 8);
}

} // namespace

CDownloadFile::CDownloadFile(std::string path)
    : m_path(std::move(path))
{
}

CDownloadFile::~CDownloadFile()
{
    if (!m_committed)
        Discard();
}

bool CDownloadFile::Write(std::string_view bytes)
{
    if (m_fd < 0 && !Open())
        return false;
    while (!bytes.empty()) {
        ssize_t written = ::write(m_fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return Fail(errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

bool CDownloadFile::Commit()
{
    if (m_fd < 0 && !Open())
        return false;
    if (::close(std::exchange(m_fd, -1)) != 0)
        return Fail(errno);
    if (!m_inPlace && ::rename(m_partPath.c_str(), m_target.c_str()) != 0)
        return Fail(errno);
    m_committed = true;
    return true;
}

bool CDownloadFile::Open()
{
    m_target = m_path;
    struct stat existing { };
    const bool exists = ::stat(m_path.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode))
        return Fail(EISDIR);
    if (exists && !S_ISREG(existing.st_mode)) {
        m_inPlace = true;
        m_fd = ::open(m_path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        return m_fd >= 0 || Fail(errno);
    }
    if (exists) {
        // A read-only file is not silently replaced, and a link keeps pointing
        // at the file it names, which is the one that gets the new content.
        if (::faccessat(AT_FDCWD, m_path.c_str(), W_OK, AT_EACCESS) != 0)
            return Fail(errno);
        char resolved[PATH_MAX];
        if (::realpath(m_path.c_str(), resolved))
            m_target = resolved;
    }

    const std::filesystem::path target(m_target);
    std::filesystem::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";
    const std::string stem = target.filename().string().substr(0, PartNameStemLimit);
    for (int attempt = 0; attempt < PartNameAttempts; ++attempt) {
        std::string partPath = (folder / ("." + stem + "." + RandomSuffix() + ".part")).string();
        m_fd = ::open(partPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd >= 0) {
            m_partPath = std::move(partPath);
            if (exists)
                ::fchmod(m_fd, existing.st_mode & 07777);
            return true;
        }
        if (errno != EEXIST)
            return Fail(errno);
    }
    return Fail(EEXIST);
}

bool CDownloadFile::Fail(int error)
{
    m_cause = FileErrorCauseFromErrno(error);
    return false;
}

void CDownloadFile::Discard()
{
    if (m_fd >= 0)
        ::close(std::exchange(m_fd, -1));
    if (!m_partPath.empty())
        ::unlink(m_partPath.c_str());
}

} // namespace http
