#pragma once
// Hands a document or web address to the shell's "open" verb, as the user's default program for it.

#include <string>

namespace ports {

class ShellOpen {
public:
    virtual ~ShellOpen() = default;
    // Whether the shell managed it makes no difference to the caller.
    virtual void Open(const std::wstring& target) = 0;
    // Starts a program with `parameters` and its window hidden, without the shell's error boxes; the
    // program is on its own from then on.
    virtual void StartHidden(const std::wstring& program, const std::wstring& parameters) = 0;
};

} // namespace ports
