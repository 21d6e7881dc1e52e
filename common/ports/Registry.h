#pragma once
// The Windows registry: keys opened for one operation and closed when the handle goes.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ports {

enum class RegistryRoot { LocalMachine, CurrentUser };

// Own keys of the programs live in the 32-bit view; some system keys must be reached in the native view.
enum class RegistryView { Bits32, Native };

class RegistryKey {
public:
    virtual ~RegistryKey() = default;

    // Reads at most four bytes of the value, whatever its type; nullopt when it cannot be read.
    virtual std::optional<std::uint32_t> ReadDword(const std::wstring& name) const = 0;
    virtual bool WriteDword(const std::wstring& name, std::uint32_t value) = 0;
    virtual std::optional<std::wstring> ReadString(const std::wstring& name) const = 0;
    virtual bool WriteString(const std::wstring& name, const std::wstring& value) = 0;
    // A REG_EXPAND_SZ: the reader expands environment variables in it.
    virtual bool WriteExpandString(const std::wstring& name, const std::wstring& value) = 0;
    virtual bool DeleteValue(const std::wstring& name) = 0;
    virtual std::vector<std::wstring> ValueNames() const = 0;
};

enum class KeyDisposition { Created, Opened };

struct CreatedKey {
    std::unique_ptr<RegistryKey> key; // null when the key could not be opened or created
    KeyDisposition disposition = KeyDisposition::Opened;
};

class Registry {
public:
    virtual ~Registry() = default;

    // Opens `path` under `root` with full access, creating it (and its parents) when missing.
    virtual CreatedKey CreateKey(RegistryRoot root, const std::wstring& path, RegistryView view) = 0;
    // Opens an existing key; null when it does not exist or cannot be opened.
    virtual std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, const std::wstring& path, RegistryView view) = 0;
};

} // namespace ports
