#pragma once
// A portable store of single INI keys in the Windows initialization-file format, with the results of the
// platform's private-profile functions: for tests, and for platforms without those functions.
//
// Reading: section and key names compare without regard to ASCII case and without the blanks around
// them; blanks around the value and one pair of matching surrounding quotes (" or ') are removed; lines
// starting with ";" are comments; the first matching section and, in it, the first matching key win; the
// value is cut to capacity - 1 characters. Files with a UTF-16LE or UTF-8 mark are read in that encoding,
// all others as Windows-1252.
//
// Writing changes only what it must: an existing key's line is rewritten in place, a new key goes after
// the last line of its section, a new section at the end of the file; every other line stays as it was.
// A file keeps its encoding; a new file is Windows-1252, where characters that do not fit become "?".
// New lines end in CR LF.
//
// Each file is read and parsed once and then answered from memory, for as long as its stamp (size and
// last-write time) stays the same; a changed file is read again at the next read, and a write through the
// store drops what it held of the file. Only a file that another program rewrites with the same size
// within one tick of the file system's clock could go unnoticed. Safe to use from several threads.
//
// Where Wine's own functions differ from Windows (this store follows Windows unless noted):
// - Wine rewrites the whole file on every write, normalising other lines ("Key = V" becomes "Key=V");
//   Windows, and this store, edit the file in place.
// - Wine also reads UTF-8 files with a mark as UTF-8, and so does this store. Windows documents only ANSI
//   and UTF-16LE files; on a Windows whose ANSI code page is not UTF-8 such a file may read as ANSI.
//   The programs' own files are ANSI or UTF-16LE, so nothing relies on the difference.
// - Wine drops one character too many when a value without its surrounding quotes fills the buffer
//   exactly ("abcdef" in quotes, buffer of 7, gives "abcde"); this store gives "abcdef".
// - Windows maps some characters that Windows-1252 lacks to a similar one ("best fit") when it writes an
//   ANSI file; this store writes "?" for all of them, which is what both do for characters without one.

#include "common/ports/FileSystem.h"
#include "common/ports/PrivateProfile.h"

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace memory {

struct ParsedProfileFile;

class IniFileProfile final : public ports::PrivateProfile {
public:
    // A file name without "\" or "/" names a file in `windowsFolder`. `files` must outlive the store.
    IniFileProfile(ports::FileSystem& files, std::wstring windowsFolder);

    std::wstring GetString(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                           const std::wstring& defaultValue, std::size_t capacity) const override;
    bool WriteString(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                     const std::wstring& value) override;

private:
    std::wstring ResolvePath(const std::wstring& file) const;
    // The file as it is now; nullptr when it is missing or cannot be read. Called with the lock held.
    std::shared_ptr<const ParsedProfileFile> Parsed(const std::wstring& path) const;

    ports::FileSystem& files_;
    std::wstring windowsFolder_;
    mutable std::mutex lock_;
    // By path without regard to case or separator spelling.
    mutable std::map<std::wstring, std::shared_ptr<const ParsedProfileFile>> parsed_;
};

} // namespace memory
