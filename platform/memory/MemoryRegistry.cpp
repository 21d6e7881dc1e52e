#include "platform/memory/MemoryRegistry.h"

#include "common/Text.h"

#include <algorithm>

namespace memory {

namespace {

using Value = MemoryRegistry::Value;

// The bytes the platform would hand out for a value: DWORDs little-endian, strings UTF-16LE with terminator.
std::vector<std::uint8_t> BytesOf(const Value& value)
{
    std::vector<std::uint8_t> bytes;
    if (const auto* dword = std::get_if<std::uint32_t>(&value)) {
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<std::uint8_t>(*dword >> shift));
        return bytes;
    }
    const auto* expand = std::get_if<MemoryRegistry::ExpandString>(&value);
    for (const wchar_t c : (expand ? expand->text : std::get<std::wstring>(value)) + L'\0') {
        bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>((c >> 8) & 0xFF));
    }
    return bytes;
}

auto FindValue(auto& values, const std::wstring& name)
{
    return std::find_if(values.begin(), values.end(),
                        [&](const auto& named) { return EqualsIgnoreAsciiCase(named.name, name); });
}

} // namespace

// One opened key: reads and writes go straight to the registry's store.
class MemoryRegistry::Key final : public ports::RegistryKey {
public:
    explicit Key(KeyData& data) : data_(data) {}

    std::optional<std::uint32_t> ReadDword(const std::wstring& name) const override
    {
        const auto found = FindValue(data_.values, name);
        if (data_.failReads || found == data_.values.end())
            return std::nullopt;
        const std::vector<std::uint8_t> bytes = BytesOf(found->value);
        if (bytes.size() > 4)
            return std::nullopt;
        std::uint32_t result = 0;
        for (std::size_t i = 0; i < bytes.size(); ++i)
            result |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
        return result;
    }

    bool WriteDword(const std::wstring& name, std::uint32_t value) override { return Write(name, value); }

    std::optional<std::wstring> ReadString(const std::wstring& name) const override
    {
        const auto found = FindValue(data_.values, name);
        if (data_.failReads || found == data_.values.end())
            return std::nullopt;
        if (const auto* text = std::get_if<std::wstring>(&found->value))
            return *text;
        if (const auto* expand = std::get_if<ExpandString>(&found->value))
            return expand->text;
        return std::nullopt;
    }

    bool WriteString(const std::wstring& name, const std::wstring& value) override { return Write(name, value); }

    bool WriteExpandString(const std::wstring& name, const std::wstring& value) override
    {
        return Write(name, ExpandString{value});
    }

    bool DeleteValue(const std::wstring& name) override
    {
        const auto found = FindValue(data_.values, name);
        if (data_.failWrites || found == data_.values.end())
            return false;
        data_.values.erase(found);
        return true;
    }

    std::vector<std::wstring> ValueNames() const override
    {
        std::vector<std::wstring> names;
        for (const NamedValue& named : data_.values)
            names.push_back(named.name);
        return names;
    }

private:
    bool Write(const std::wstring& name, const Value& value)
    {
        if (data_.failWrites)
            return false;
        if (const auto found = FindValue(data_.values, name); found != data_.values.end())
            found->value = value;
        else
            data_.values.push_back({name, value});
        return true;
    }

    KeyData& data_;
};

std::wstring MemoryRegistry::Normalize(const std::wstring& path)
{
    std::wstring result;
    for (const wchar_t c : ToLowerAscii(path)) {
        if (c == L'\\' && (result.empty() || result.back() == L'\\'))
            continue;
        result.push_back(c);
    }
    if (!result.empty() && result.back() == L'\\')
        result.pop_back();
    return result;
}

MemoryRegistry::KeyId MemoryRegistry::IdOf(ports::RegistryRoot root, ports::RegistryView view, const std::wstring& path)
{
    return {root, view, Normalize(path)};
}

MemoryRegistry::KeyData& MemoryRegistry::Create(const KeyId& id)
{
    const auto& [root, view, path] = id;
    for (std::size_t slash = path.find(L'\\'); slash != std::wstring::npos; slash = path.find(L'\\', slash + 1))
        keys_.try_emplace(KeyId{root, view, path.substr(0, slash)});
    return keys_[id];
}

ports::CreatedKey MemoryRegistry::CreateKey(ports::RegistryRoot root, const std::wstring& path,
                                            ports::RegistryView view)
{
    const KeyId id = IdOf(root, view, path);
    if (failingOpens_.contains(id))
        return {};
    const bool existed = keys_.contains(id);
    KeyData& data = Create(id);
    return {std::make_unique<Key>(data), existed ? ports::KeyDisposition::Opened : ports::KeyDisposition::Created};
}

std::unique_ptr<ports::RegistryKey> MemoryRegistry::OpenKey(ports::RegistryRoot root, const std::wstring& path,
                                                            ports::RegistryView view)
{
    const KeyId id = IdOf(root, view, path);
    const auto found = keys_.find(id);
    if (failingOpens_.contains(id) || found == keys_.end())
        return nullptr;
    return std::make_unique<Key>(found->second);
}

void MemoryRegistry::Put(ports::RegistryRoot root, ports::RegistryView view, const std::wstring& path,
                         const std::wstring& name, const Value& value)
{
    KeyData& data = Create(IdOf(root, view, path));
    if (const auto found = FindValue(data.values, name); found != data.values.end())
        found->value = value;
    else
        data.values.push_back({name, value});
}

bool MemoryRegistry::KeyExists(ports::RegistryRoot root, ports::RegistryView view, const std::wstring& path) const
{
    return keys_.contains(IdOf(root, view, path));
}

bool MemoryRegistry::DeleteTree(ports::RegistryRoot root, ports::RegistryView view, const std::wstring& path)
{
    const KeyId top = IdOf(root, view, path);
    const std::wstring below = std::get<2>(top) + L"\\";
    return std::erase_if(keys_, [&](const auto& entry) {
               const auto& [id, data] = entry;
               return std::get<0>(id) == root && std::get<1>(id) == view &&
                      (id == top || std::get<2>(id).starts_with(below));
           }) > 0;
}

std::optional<MemoryRegistry::Value> MemoryRegistry::Get(ports::RegistryRoot root, ports::RegistryView view,
                                                         const std::wstring& path, const std::wstring& name) const
{
    const auto key = keys_.find(IdOf(root, view, path));
    if (key == keys_.end())
        return std::nullopt;
    const auto found = FindValue(key->second.values, name);
    if (found == key->second.values.end())
        return std::nullopt;
    return found->value;
}

std::size_t MemoryRegistry::ValueCount(ports::RegistryRoot root, ports::RegistryView view,
                                       const std::wstring& path) const
{
    const auto key = keys_.find(IdOf(root, view, path));
    return key == keys_.end() ? 0 : key->second.values.size();
}

void MemoryRegistry::FailOpen(ports::RegistryRoot root, ports::RegistryView view, const std::wstring& path)
{
    failingOpens_.insert(IdOf(root, view, path));
}

void MemoryRegistry::FailWrites(ports::RegistryRoot root, ports::RegistryView view, const std::wstring& path)
{
    Create(IdOf(root, view, path)).failWrites = true;
}

void MemoryRegistry::FailReads(ports::RegistryRoot root, ports::RegistryView view, const std::wstring& path)
{
    Create(IdOf(root, view, path)).failReads = true;
}

} // namespace memory
