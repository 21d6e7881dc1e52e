#pragma once
// The fixed part of a file's version resource, through the version library.

#include "common/ports/VersionResource.h"

namespace win32 {

class Win32VersionResource final : public ports::VersionResource {
public:
    ports::VersionResourceRead ReadFixedFileVersion(const std::wstring& path) const override;
};

} // namespace win32
