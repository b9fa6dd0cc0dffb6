#pragma once

// One named block of shared memory as this process holds it: a POSIX shared
// memory object "/<name>" of a fixed size.
//
// Lifetime: a block lives while any process holds it. Every process that
// holds a block keeps a shared lock (flock) on it; when the last holder in a
// process lets go and no other process holds the lock, the name is removed.
// A block whose holders all ended without letting go (a crash) is found
// unlocked by the next process that creates or opens the name, and removed
// then, so a new creator never inherits a dead block.
//
// Within one process, every handle and view of a name shares one SharedBlock.

#include "platform/base/Types.h"
#include "platform/system/HandleTable.h"

#include <cstdint>
#include <memory>
#include <string>

namespace sys {

class SharedBlock {
public:
    ~SharedBlock();
    SharedBlock(const SharedBlock&) = delete;
    SharedBlock& operator=(const SharedBlock&) = delete;

    // The named block, made with `size` bytes when no process holds one of
    // that name; `existed` tells which. An empty name makes a private block.
    static std::shared_ptr<SharedBlock> Create(const std::string& name, std::uint64_t size, bool& existed,
                                               LONG& error);
    // The named block when some process holds it; ERROR_FILE_NOT_FOUND if not.
    static std::shared_ptr<SharedBlock> Open(const std::string& name, LONG& error);

    int Descriptor() const { return m_descriptor; }
    std::uint64_t Size() const { return m_size; }

private:
    SharedBlock(std::string name, int descriptor, std::uint64_t size);

    std::string m_name; // the POSIX name, "/..."; empty for a private block
    int m_descriptor;
    std::uint64_t m_size;
};

// What a mapping handle refers to: the block and whether views may write.
class MappingHandle : public KernelObject {
public:
    MappingHandle(std::shared_ptr<SharedBlock> block, bool writable)
        : m_block(std::move(block))
        , m_writable(writable)
    {
    }
    const std::shared_ptr<SharedBlock>& Block() const { return m_block; }
    bool Writable() const { return m_writable; }

private:
    std::shared_ptr<SharedBlock> m_block;
    bool m_writable;
};

} // namespace sys
