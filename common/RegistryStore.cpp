#include "common/RegistryStore.h"

namespace {
constexpr ports::RegistryRoot kRoot = ports::RegistryRoot::LocalMachine;
constexpr ports::RegistryView kView = ports::RegistryView::Bits32;
} // namespace

std::wstring SoftwareKeyPath(const std::wstring& keyPath)
{
    return L"SOFTWARE\\" + keyPath;
}

int SaveSoftwareDword(ports::Registry& registry, const std::wstring& keyPath, const std::wstring& valueName,
                      std::uint32_t value)
{
    const ports::CreatedKey opened = registry.CreateKey(kRoot, SoftwareKeyPath(keyPath), kView);
    if (!opened.key)
        return kSaveDwordNoKey;
    return opened.key->WriteDword(valueName, value) ? kSaveDwordOk : kSaveDwordWriteFailed;
}

int ReadSoftwareDword(ports::Registry& registry, const std::wstring& keyPath, const std::wstring& valueName,
                      std::uint32_t& value)
{
    const ports::CreatedKey opened = registry.CreateKey(kRoot, SoftwareKeyPath(keyPath), kView);
    if (!opened.key || opened.disposition == ports::KeyDisposition::Created)
        return kReadDwordNoKey;
    const std::optional<std::uint32_t> read = opened.key->ReadDword(valueName);
    if (!read)
        return kReadDwordNoValue;
    value = *read;
    return kReadDwordOk;
}
