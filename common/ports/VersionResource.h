#pragma once
// The version resource of an executable file.

#include <cstdint>
#include <string>

namespace ports {

// How far reading the resource got, in the order of the platform's steps.
enum class VersionResourceStatus { Ok, NoResource, CannotRead, NoRootBlock, EmptyRootBlock };

// The fixed part of a version resource.
struct FixedFileVersion {
    std::uint32_t signature = 0;
    std::uint32_t fileVersionMS = 0;
    std::uint32_t fileVersionLS = 0;
};

struct VersionResourceRead {
    VersionResourceStatus status = VersionResourceStatus::NoResource;
    FixedFileVersion fixed;
};

class VersionResource {
public:
    virtual ~VersionResource() = default;
    virtual VersionResourceRead ReadFixedFileVersion(const std::wstring& path) const = 0;
};

} // namespace ports
