#include "platform/win32/Win32FileSystem.h"

#include "platform/win32/Handles.h"

#include <limits>
#include <new>

namespace win32 {

ports::FileBytes Win32FileSystem::ReadAll(const std::wstring& path) const
{
    const FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        ReportLastError(debug_, L"CreateFileW");
        return {ports::ReadStatus::CannotOpen, {}};
    }

    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.Get(), &size)) {
        ReportLastError(debug_, L"GetFileSizeEx");
        return {ports::ReadStatus::NoLength, {}};
    }
    if (size.QuadPart < 0 || static_cast<unsigned long long>(size.QuadPart) > std::numeric_limits<DWORD>::max())
        return {ports::ReadStatus::NoLength, {}};

    ports::FileBytes result{ports::ReadStatus::Ok, {}};
    try {
        result.bytes.resize(static_cast<std::size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        return {ports::ReadStatus::NoMemory, {}};
    }

    DWORD read = 0;
    const DWORD wanted = static_cast<DWORD>(result.bytes.size());
    if (wanted > 0 && !::ReadFile(file.Get(), result.bytes.data(), wanted, &read, nullptr)) {
        ReportLastError(debug_, L"ReadFile");
        return {ports::ReadStatus::ReadFailed, {}};
    }
    if (read != wanted)
        return {ports::ReadStatus::ReadFailed, {}};
    return result;
}

bool Win32FileSystem::WriteAll(const std::wstring& path, std::span<const std::uint8_t> bytes)
{
    const FileHandle file(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        ReportLastError(debug_, L"CreateFileW");
        return false;
    }
    if (bytes.size() > std::numeric_limits<DWORD>::max())
        return false;
    DWORD written = 0;
    const DWORD wanted = static_cast<DWORD>(bytes.size());
    if (wanted > 0 && !::WriteFile(file.Get(), bytes.data(), wanted, &written, nullptr)) {
        ReportLastError(debug_, L"WriteFile");
        return false;
    }
    return written == wanted;
}

bool Win32FileSystem::FileExists(const std::wstring& path) const
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<ports::FileStamp> Win32FileSystem::Stamp(const std::wstring& path) const
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    const auto joined = [](DWORD high, DWORD low) { return std::uint64_t{high} << 32 | low; };
    return ports::FileStamp{joined(data.nFileSizeHigh, data.nFileSizeLow),
                            joined(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime)};
}

bool Win32FileSystem::FolderExists(const std::wstring& path) const
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::CreateFolder(const std::wstring& path)
{
    if (path.empty() || FolderExists(path))
        return !path.empty();
    const auto slash = path.find_last_of(L"\\/", path.size() - 2);
    if (slash != std::wstring::npos && slash > 2)
        CreateFolder(path.substr(0, slash));
    if (::CreateDirectoryW(path.c_str(), nullptr))
        return true;
    // Another process may have made it meanwhile.
    const DWORD error = ::GetLastError();
    if (FolderExists(path))
        return true;
    ReportError(debug_, L"CreateDirectoryW", error);
    return false;
}

bool Win32FileSystem::RemoveFile(const std::wstring& path)
{
    if (::DeleteFileW(path.c_str()))
        return true;
    ReportLastError(debug_, L"DeleteFileW");
    return false;
}

bool Win32FileSystem::MoveReplacing(const std::wstring& from, const std::wstring& to)
{
    // Within one volume a move is a rename, which the file system does as one step.
    if (::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    ReportLastError(debug_, L"MoveFileExW");
    return false;
}

std::vector<std::wstring> Win32FileSystem::Subfolders(const std::wstring& path) const
{
    std::vector<std::wstring> names;
    std::wstring pattern = path;
    if (!pattern.empty() && pattern.back() != L'\\' && pattern.back() != L'/')
        pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW found{};
    const FindHandle search(::FindFirstFileW(pattern.c_str(), &found));
    if (!search) {
        ReportLastError(debug_, L"FindFirstFileW");
        return names;
    }
    do {
        const std::wstring name = found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != L"." && name != L"..")
            names.push_back(name);
    } while (::FindNextFileW(search.Get(), &found));
    return names;
}

} // namespace win32
