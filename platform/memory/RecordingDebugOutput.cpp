#include "platform/memory/RecordingDebugOutput.h"

#include <algorithm>

namespace memory {

bool RecordingDebugOutput::Contains(const std::wstring& text) const
{
    return std::find(lines_.begin(), lines_.end(), text) != lines_.end();
}

} // namespace memory
