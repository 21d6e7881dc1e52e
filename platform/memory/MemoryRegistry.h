#pragma once
// A registry held in memory, with Windows' rules: key paths compare without regard to ASCII case, "\"
// separates keys, creating a key creates its parents. The 32-bit and native views are kept apart, as the
// SOFTWARE branch is on 64-bit Windows. Keys handed out must not outlive the registry.

#include "common/ports/Registry.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <variant>
#include <vector>

namespace memory {

class MemoryRegistry final : public ports::Registry {
public:
    ports::CreatedKey CreateKey(ports::RegistryRoot root, const std::wstring& path, ports::RegistryView view) override;
    std::unique_ptr<ports::RegistryKey> OpenKey(ports::RegistryRoot root, const std::wstring& path,
                                                ports::RegistryView view) override;

    // A REG_EXPAND_SZ, kept apart from a plain string so that a test sees which type was written.
    struct ExpandString {
        std::wstring text;
        bool operator==(const ExpandString&) const = default;
    };
    using Value = std::variant<std::uint32_t, std::wstring, ExpandString>; // REG_DWORD, REG_SZ, REG_EXPAND_SZ

    // Test set-up and inspection.
    void Put(ports::RegistryRoot root, ports::RegistryView view, const std::wstring& path, const std::wstring& name,
             const Value& value);
    bool KeyExists(ports::RegistryRoot root, ports::RegistryView view, const std::wstring& path) const;
    // Removes the key and every key below it; false when none of them existed.
    bool DeleteTree(ports::RegistryRoot root, ports::RegistryView view, const std::wstring& path);
    std::optional<Value> Get(ports::RegistryRoot root, ports::RegistryView view, const std::wstring& path,
                             const std::wstring& name) const;
    std::size_t ValueCount(ports::RegistryRoot root, ports::RegistryView view, const std::wstring& path) const;

    // Fault injection on one key: opening or creating it fails; writes to it fail; reads from it fail
    // (these two create the key, empty, when it is missing).
    void FailOpen(ports::RegistryRoot root, ports::RegistryView view, const std::wstring& path);
    void FailWrites(ports::RegistryRoot root, ports::RegistryView view, const std::wstring& path);
    void FailReads(ports::RegistryRoot root, ports::RegistryView view, const std::wstring& path);

    // "a\b" for "\A\\B\": the form under which a key path is stored.
    static std::wstring Normalize(const std::wstring& path);

private:
    class Key;
    using KeyId = std::tuple<ports::RegistryRoot, ports::RegistryView, std::wstring>;

    struct NamedValue {
        std::wstring name;
        Value value;
    };
    struct KeyData {
        std::vector<NamedValue> values; // in the order they were first written
        bool failWrites = false;
        bool failReads = false;
    };

    static KeyId IdOf(ports::RegistryRoot root, ports::RegistryView view, const std::wstring& path);
    KeyData& Create(const KeyId& id);

    std::map<KeyId, KeyData> keys_;
    std::set<KeyId> failingOpens_;
};

} // namespace memory
