#pragma once
// A value that a skin or language file may leave out: a missing item must leave the control's own
// value alone, which a plain 0 cannot say.

#include <algorithm>
#include <limits>

namespace panel {

template <typename T> struct GivenValue {
    T value{};
    bool given = false;

    void Set(T newValue)
    {
        value = newValue;
        given = true;
    }
    bool operator==(const GivenValue&) const = default;
};

// A position moved by the old layout's offset. A file may give any number, so the sum stops at the limits
// of an int instead of overflowing.
inline int ShiftedPosition(int position, int offset)
{
    const long long moved = static_cast<long long>(position) + offset;
    return static_cast<int>(
        std::clamp<long long>(moved, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

} // namespace panel
