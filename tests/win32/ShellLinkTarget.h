#pragma once
// The target of a saved shell link, read back through the shell as a user's click would resolve it.

#include <windows.h>

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include <string>

namespace shell_link {

// Empty when the link cannot be read.
inline std::wstring Target(const std::wstring& linkPath)
{
    std::wstring target;
    if (FAILED(::CoInitialize(nullptr)))
        return target;
    IShellLinkW* link = nullptr;
    if (SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                     reinterpret_cast<void**>(&link)))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            wchar_t path[MAX_PATH]{};
            if (SUCCEEDED(file->Load(linkPath.c_str(), STGM_READ)) &&
                SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, 0)))
                target = path;
            file->Release();
        }
        link->Release();
    }
    ::CoUninitialize();
    return target;
}

} // namespace shell_link
