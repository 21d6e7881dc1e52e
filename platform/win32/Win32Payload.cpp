#include "platform/win32/Win32Payload.h"

namespace win32 {

std::optional<std::vector<std::uint8_t>> Win32Payload::Load(const std::wstring& type, int id) const
{
    // Resource type names are stored upper-cased, so the search ignores case.
    HRSRC resource = ::FindResourceW(module_, MAKEINTRESOURCEW(id), type.c_str());
    if (!resource)
        return std::nullopt;
    const DWORD size = ::SizeofResource(module_, resource);
    HGLOBAL loaded = ::LoadResource(module_, resource);
    const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
    if (!bytes || size == 0)
        return std::nullopt;
    const auto* first = static_cast<const std::uint8_t*>(bytes);
    return std::vector<std::uint8_t>(first, first + size);
}

} // namespace win32
