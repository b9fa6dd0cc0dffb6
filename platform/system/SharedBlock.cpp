#include "platform/system/SharedBlock.h"

#include "platform/base/Errors.h"
#include "platform/system/ErrnoError.h"

#include <cerrno>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

// How long a block that is being made elsewhere may show no holder or no size.
constexpr int SettleAttempts = 100;
constexpr auto SettlePause = std::chrono::milliseconds(2);

std::mutex g_mutex;
std::map<std::string, std::weak_ptr<sys::SharedBlock>> g_blocks; // guarded by g_mutex

std::uint64_t DescriptorSize(int descriptor)
{
    struct stat status {};
    return fstat(descriptor, &status) == 0 ? static_cast<std::uint64_t>(status.st_size) : 0;
}

LONG NameError(const std::string& name)
{
    if (name.size() > 250 || name.find('/') != std::string::npos)
        return ERROR_INVALID_NAME;
    return ERROR_SUCCESS;
}

std::shared_ptr<sys::SharedBlock> Known(const std::string& posixName)
{
    auto found = g_blocks.find(posixName);
    return found == g_blocks.end() ? nullptr : found->second.lock();
}

enum class Join { Joined, Missing, Retry };

// Takes a shared lock on an existing block when some process still holds it;
// removes the name of a block nobody holds.
Join JoinExisting(const std::string& posixName, int descriptor, int attempt)
{
    if (flock(descriptor, LOCK_EX | LOCK_NB) == 0) {
        // Nobody holds it. A block without size may still be being made.
        if (DescriptorSize(descriptor) == 0 && attempt < SettleAttempts) {
            flock(descriptor, LOCK_UN);
            return Join::Retry;
        }
        shm_unlink(posixName.c_str());
        return Join::Missing;
    }
    if (flock(descriptor, LOCK_SH | LOCK_NB) != 0)
        return Join::Retry; // someone is deciding about it right now
    for (int wait = 0; DescriptorSize(descriptor) == 0 && wait < SettleAttempts; ++wait)
        std::this_thread::sleep_for(SettlePause);
    return Join::Joined;
}

// Opens and joins the existing block of the name; -1 when there is none.
int OpenExisting(const std::string& posixName, LONG& error)
{
    for (int attempt = 0; attempt <= SettleAttempts; ++attempt) {
        int descriptor = shm_open(posixName.c_str(), O_RDWR | O_CLOEXEC, 0);
        if (descriptor < 0) {
            error = errno == ENOENT ? ERROR_FILE_NOT_FOUND : sys::ErrorFromErrno(errno);
            return -1;
        }
        Join joined = JoinExisting(posixName, descriptor, attempt);
        if (joined == Join::Joined)
            return descriptor;
        close(descriptor);
        if (joined == Join::Missing) {
            error = ERROR_FILE_NOT_FOUND;
            return -1;
        }
        std::this_thread::sleep_for(SettlePause);
    }
    error = ERROR_SHARING_VIOLATION;
    return -1;
}

} // namespace

namespace sys {

SharedBlock::SharedBlock(std::string name, int descriptor, std::uint64_t size)
    : m_name(std::move(name))
    , m_descriptor(descriptor)
    , m_size(size)
{
}

SharedBlock::~SharedBlock()
{
    std::lock_guard lock(g_mutex);
    if (!m_name.empty()) {
        if (Known(m_name) == nullptr)
            g_blocks.erase(m_name);
        if (flock(m_descriptor, LOCK_EX | LOCK_NB) == 0)
            shm_unlink(m_name.c_str());
    }
    close(m_descriptor);
}

std::shared_ptr<SharedBlock> SharedBlock::Create(const std::string& name, std::uint64_t size, bool& existed,
                                                 LONG& error)
{
    existed = false;
    if (size == 0 || size > static_cast<std::uint64_t>(INT64_MAX)) {
        error = ERROR_INVALID_PARAMETER;
        return nullptr;
    }
    if (name.empty()) {
        int descriptor = memfd_create("plinth-shared-block", MFD_CLOEXEC);
        if (descriptor < 0 || ftruncate(descriptor, static_cast<off_t>(size)) != 0) {
            error = ErrorFromErrno(errno);
            if (descriptor >= 0)
                close(descriptor);
            return nullptr;
        }
        return std::shared_ptr<SharedBlock>(new SharedBlock({}, descriptor, size));
    }
    if ((error = NameError(name)) != ERROR_SUCCESS)
        return nullptr;

    std::string posixName = "/" + name;
    std::lock_guard lock(g_mutex);
    if (auto known = Known(posixName)) {
        existed = true;
        return known;
    }
    for (int attempt = 0; attempt <= SettleAttempts; ++attempt) {
        int descriptor = shm_open(posixName.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (descriptor >= 0) {
            flock(descriptor, LOCK_SH);
            if (ftruncate(descriptor, static_cast<off_t>(size)) != 0) {
                error = ErrorFromErrno(errno);
                shm_unlink(posixName.c_str());
                close(descriptor);
                return nullptr;
            }
            std::shared_ptr<SharedBlock> block(new SharedBlock(posixName, descriptor, size));
            g_blocks[posixName] = block;
            return block;
        }
        if (errno != EEXIST) {
            error = ErrorFromErrno(errno);
            return nullptr;
        }
        descriptor = OpenExisting(posixName, error);
        if (descriptor >= 0) {
            existed = true;
            std::shared_ptr<SharedBlock> block(new SharedBlock(posixName, descriptor, DescriptorSize(descriptor)));
            g_blocks[posixName] = block;
            return block;
        }
        if (error != ERROR_FILE_NOT_FOUND)
            return nullptr;
        // The old block was dead and is gone now: make a new one.
    }
    error = ERROR_SHARING_VIOLATION;
    return nullptr;
}

std::shared_ptr<SharedBlock> SharedBlock::Open(const std::string& name, LONG& error)
{
    if (name.empty()) {
        error = ERROR_INVALID_PARAMETER;
        return nullptr;
    }
    if ((error = NameError(name)) != ERROR_SUCCESS)
        return nullptr;
    std::string posixName = "/" + name;
    std::lock_guard lock(g_mutex);
    if (auto known = Known(posixName))
        return known;
    int descriptor = OpenExisting(posixName, error);
    if (descriptor < 0)
        return nullptr;
    std::shared_ptr<SharedBlock> block(new SharedBlock(posixName, descriptor, DescriptorSize(descriptor)));
    g_blocks[posixName] = block;
    return block;
}

} // namespace sys
