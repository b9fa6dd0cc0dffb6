#pragma once

#include <cstdint>

namespace web {

// Names the frame a browser event is about. The top-level frame of a control
// has the identity its Application() reports; every sub-frame of that page has
// one other identity that never equals it. A default identity names no frame.
class FrameIdentity {
public:
    FrameIdentity() = default;
    static FrameIdentity TopLevelOf(const void* control) { return FrameIdentity(Address(control)); }
    static FrameIdentity SubFrameOf(const void* control) { return FrameIdentity(Address(control) + 1); }

    bool IsNone() const { return m_value == 0; }
    bool operator==(const FrameIdentity&) const = default;

private:
    explicit FrameIdentity(std::uintptr_t value)
        : m_value(value)
    {
    }
    static std::uintptr_t Address(const void* control) { return reinterpret_cast<std::uintptr_t>(control); }

    std::uintptr_t m_value = 0;
};

} // namespace web
