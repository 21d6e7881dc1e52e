#pragma once
// Single keys of files in the Windows initialization-file format, as the platform's
// private-profile functions read and write them.

#include <cstddef>
#include <string>

namespace ports {

class PrivateProfile {
public:
    virtual ~PrivateProfile() = default;

    // The value of `key` in `section` of `file`, or `defaultValue` when the file, section or key is
    // missing. At most `capacity` - 1 characters come back (capacity >= 1); a longer value is cut.
    // A file name without a folder names a file in the Windows folder.
    virtual std::wstring GetString(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                                   const std::wstring& defaultValue, std::size_t capacity) const = 0;

    // Creates the file, section and key as needed and replaces an existing value.
    virtual bool WriteString(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                             const std::wstring& value) = 0;
};

} // namespace ports
