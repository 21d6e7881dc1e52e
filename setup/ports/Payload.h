#pragma once
// The payload the setup program carries inside itself: resources by type name and numeric ID.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ports {

class Payload {
public:
    virtual ~Payload() = default;
    // The resource's bytes; nullopt when it is missing, empty or cannot be loaded. Type names are matched
    // without regard to case.
    virtual std::optional<std::vector<std::uint8_t>> Load(const std::wstring& type, int id) const = 0;
};

} // namespace ports
