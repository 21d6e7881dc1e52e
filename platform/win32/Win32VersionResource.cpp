#include "platform/win32/Win32VersionResource.h"

#include "platform/win32/Win32Failure.h"

#include <vector>
#include <windows.h>
#include <winver.h>

namespace win32 {

ports::VersionResourceRead Win32VersionResource::ReadFixedFileVersion(const std::wstring& path) const
{
    using Status = ports::VersionResourceStatus;
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0) {
        ReportLastError(SystemDebugOutput(), L"GetFileVersionInfoSizeW");
        return {Status::NoResource, {}};
    }

    std::vector<BYTE> resource(size);
    if (!::GetFileVersionInfoW(path.c_str(), 0, size, resource.data())) {
        ReportLastError(SystemDebugOutput(), L"GetFileVersionInfoW");
        return {Status::CannotRead, {}};
    }

    void* block = nullptr;
    UINT blockSize = 0;
    if (!::VerQueryValueW(resource.data(), L"\\", &block, &blockSize))
        return {Status::NoRootBlock, {}};
    // A block too short for the fixed structure holds nothing that can be read safely.
    if (blockSize < sizeof(VS_FIXEDFILEINFO) || !block)
        return {Status::EmptyRootBlock, {}};

    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(block);
    return {Status::Ok, {fixed->dwSignature, fixed->dwFileVersionMS, fixed->dwFileVersionLS}};
}

} // namespace win32
