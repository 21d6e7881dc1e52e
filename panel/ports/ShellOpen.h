#pragma once
// Hands a document or web address to the shell's "open" verb, as the user's default program for it.

#include <string>

namespace ports {

class ShellOpen {
public:
    virtual ~ShellOpen() = default;
    // Whether the shell managed it makes no difference to the caller.
    virtual void Open(const std::wstring& target) = 0;
};

} // namespace ports
