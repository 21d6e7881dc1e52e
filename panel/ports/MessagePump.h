#pragma once
// Handlers that run long let the window breathe part-way: every message already queued is handled
// before they go on, so handlers may run nested.

namespace ports {

class MessagePump {
public:
    virtual ~MessagePump() = default;
    virtual void ProcessPendingMessages() = 0;
};

} // namespace ports
