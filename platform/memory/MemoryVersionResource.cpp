#include "platform/memory/MemoryVersionResource.h"

#include "common/Text.h"

namespace memory {

namespace {
constexpr std::uint32_t kFixedFileInfoSignature = 0xFEEF04BD;

std::uint32_t Pack(std::uint16_t high, std::uint16_t low)
{
    return (static_cast<std::uint32_t>(high) << 16) | low;
}
} // namespace

ports::VersionResourceRead MemoryVersionResource::ReadFixedFileVersion(const std::wstring& path) const
{
    const auto found = files_.find(ToLowerAscii(path));
    return found == files_.end() ? ports::VersionResourceRead{} : found->second;
}

void MemoryVersionResource::Put(const std::wstring& path, const ports::VersionResourceRead& read)
{
    files_[ToLowerAscii(path)] = read;
}

void MemoryVersionResource::PutVersion(const std::wstring& path, std::uint16_t a, std::uint16_t b, std::uint16_t c,
                                       std::uint16_t d)
{
    Put(path, {ports::VersionResourceStatus::Ok, {kFixedFileInfoSignature, Pack(a, b), Pack(c, d)}});
}

} // namespace memory
