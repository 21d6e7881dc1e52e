#pragma once
// Keeps every diagnostic line, in order, for tests to read.

#include "common/ports/DebugOutput.h"

#include <string>
#include <vector>

namespace memory {

class RecordingDebugOutput final : public ports::DebugOutput {
public:
    void Write(const std::wstring& text) override { lines_.push_back(text); }
    const std::vector<std::wstring>& Lines() const { return lines_; }
    bool Contains(const std::wstring& text) const;
    void Clear() { lines_.clear(); }

private:
    std::vector<std::wstring> lines_;
};

} // namespace memory
