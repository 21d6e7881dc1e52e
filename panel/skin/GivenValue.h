#pragma once
// A value that a skin or language file may leave out: a missing item must leave the control's own
// value alone, which a plain 0 cannot say.

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

} // namespace panel
