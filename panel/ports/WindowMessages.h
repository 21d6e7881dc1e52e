#pragma once
// Window messages registered by name, shared by every process of the session, and broadcast to every
// top-level window.

#include <cstdint>
#include <string>

namespace ports {

class WindowMessages {
public:
    virtual ~WindowMessages() = default;
    // The same name gives the same id in every process; 0 when the name cannot be registered.
    virtual std::uint32_t Register(const std::wstring& name) = 0;
    // Sends the message (wParam and lParam 0) to every top-level window and waits up to `timeoutMs` for
    // each window that does not answer.
    virtual void Broadcast(std::uint32_t message, std::uint32_t timeoutMs) = 0;
};

} // namespace ports
