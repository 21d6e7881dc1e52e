#pragma once
// The debugger output channel: one call per diagnostic line, the text passed as written (with its "\n").

#include <string>

namespace ports {

class DebugOutput {
public:
    virtual ~DebugOutput() = default;
    virtual void Write(const std::wstring& text) = 0;
};

} // namespace ports
