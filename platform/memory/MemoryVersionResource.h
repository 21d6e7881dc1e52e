#pragma once
// Version resources by file path (compared without regard to ASCII case); a file not set up has none.

#include "common/ports/VersionResource.h"

#include <map>
#include <string>

namespace memory {

class MemoryVersionResource final : public ports::VersionResource {
public:
    ports::VersionResourceRead ReadFixedFileVersion(const std::wstring& path) const override;

    void Put(const std::wstring& path, const ports::VersionResourceRead& read);
    // A readable resource of file version a.b.c.d with the right signature.
    void PutVersion(const std::wstring& path, std::uint16_t a, std::uint16_t b, std::uint16_t c, std::uint16_t d);

private:
    std::map<std::wstring, ports::VersionResourceRead> files_;
};

} // namespace memory
