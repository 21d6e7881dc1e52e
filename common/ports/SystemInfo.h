#pragma once
// Facts the programs take from the operating system: versions, 32/64-bit, folders, environment.
// Functions that older Windows versions lack are looked up by name; `Lookup` says whether one was found.

#include <cstdint>
#include <optional>
#include <string>

namespace ports {

enum class Lookup { Missing, Failed, Succeeded };

// The fields of the platform's OS version structure that the programs use.
struct OsVersion {
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::uint32_t build = 0;
    std::uint32_t platformId = 0; // 1: the 9x family, 2: NT
    std::uint32_t servicePackMajor = 0;
};

struct OsVersionLookup {
    Lookup lookup = Lookup::Missing;
    OsVersion version;
};

struct Wow64Lookup {
    Lookup lookup = Lookup::Missing;
    bool isWow64 = false;
};

// Opaque value handed from switching file-system redirection off to switching it back on.
struct RedirectionCookie {
    std::uintptr_t value = 0;
};

enum class VersionStructure { Extended, Basic }; // 284- and 276-byte forms of the version structure

// Special folders, by their shell identifiers.
inline constexpr int kCsidlProgramFiles = 0x26;
inline constexpr int kCsidlSystem = 0x25;
inline constexpr int kCsidlSystemX86 = 0x29;

// Processor architectures reported by the native system information.
inline constexpr std::uint16_t kArchitectureX86 = 0;
inline constexpr std::uint16_t kArchitectureX64 = 9;

class SystemInfo {
public:
    virtual ~SystemInfo() = default;

    virtual Wow64Lookup IsWow64Process() const = 0;
    virtual Lookup DisableWow64FsRedirection(RedirectionCookie& cookie) = 0;
    virtual Lookup RevertWow64FsRedirection(RedirectionCookie cookie) = 0;

    virtual std::optional<OsVersion> VersionEx(VersionStructure structure) const = 0;
    virtual std::uint32_t PackedVersion() const = 0; // packed: low byte major, next byte minor
    virtual OsVersionLookup RtlVersion() const = 0;
    virtual std::uint16_t NativeProcessorArchitecture() const = 0;

    // SHGetFolderPathW and SHGetSpecialFolderPathW; nullopt when the shell cannot tell.
    virtual std::optional<std::wstring> FolderPath(int csidl) const = 0;
    virtual std::optional<std::wstring> SpecialFolderPath(int csidl) const = 0;
    virtual std::wstring SystemDirectory() const = 0;
    virtual std::wstring WindowsDirectory() const = 0;

    virtual std::optional<std::wstring> EnvironmentVariable(const std::wstring& name) const = 0;
};

} // namespace ports
