#include "platform/win32/Win32Registry.h"

#include "platform/win32/Handles.h"

namespace win32 {

namespace {

HKEY RootKey(ports::RegistryRoot root)
{
    return root == ports::RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

REGSAM FullAccessIn(ports::RegistryView view)
{
    return KEY_ALL_ACCESS | (view == ports::RegistryView::Bits32 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY);
}

// True for ERROR_SUCCESS; any other status is reported with the call's name.
bool Succeeded(ports::DebugOutput& debug, const wchar_t* call, LSTATUS status)
{
    if (status == ERROR_SUCCESS)
        return true;
    ReportError(debug, call, static_cast<DWORD>(status));
    return false;
}

class Win32RegistryKey final : public ports::RegistryKey {
public:
    Win32RegistryKey(RegistryKeyHandle key, ports::DebugOutput& debug) : key_(std::move(key)), debug_(debug) {}

    std::optional<std::uint32_t> ReadDword(const std::wstring& name) const override
    {
        DWORD value = 0;
        DWORD size = sizeof(value);
        if (!Succeeded(debug_, L"RegQueryValueExW",
                       ::RegQueryValueExW(key_.Get(), name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&value),
                                          &size)))
            return std::nullopt;
        return value;
    }

    bool WriteDword(const std::wstring& name, std::uint32_t value) override
    {
        const DWORD data = value;
        return Succeeded(debug_, L"RegSetValueExW",
                         ::RegSetValueExW(key_.Get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                                          sizeof(data)));
    }

    std::optional<std::wstring> ReadString(const std::wstring& name) const override
    {
        // The value may grow between asking its size and reading it; ask again then.
        for (int attempt = 0; attempt < 4; ++attempt) {
            DWORD type = 0;
            DWORD size = 0;
            if (!Succeeded(debug_, L"RegQueryValueExW",
                           ::RegQueryValueExW(key_.Get(), name.c_str(), nullptr, &type, nullptr, &size)) ||
                (type != REG_SZ && type != REG_EXPAND_SZ))
                return std::nullopt;
            std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
            size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
            const LSTATUS status = ::RegQueryValueExW(key_.Get(), name.c_str(), nullptr, &type,
                                                      reinterpret_cast<BYTE*>(text.data()), &size);
            if (status == ERROR_MORE_DATA)
                continue;
            if (!Succeeded(debug_, L"RegQueryValueExW", status) || (type != REG_SZ && type != REG_EXPAND_SZ))
                return std::nullopt;
            // Stored strings need not carry their terminator; cut at the first one there is.
            text.resize(size / sizeof(wchar_t));
            if (const auto end = text.find(L'\0'); end != std::wstring::npos)
                text.resize(end);
            return text;
        }
        return std::nullopt;
    }

    bool WriteString(const std::wstring& name, const std::wstring& value) override
    {
        return WriteText(name, value, REG_SZ);
    }

    bool WriteExpandString(const std::wstring& name, const std::wstring& value) override
    {
        return WriteText(name, value, REG_EXPAND_SZ);
    }

    bool DeleteValue(const std::wstring& name) override
    {
        return Succeeded(debug_, L"RegDeleteValueW", ::RegDeleteValueW(key_.Get(), name.c_str()));
    }

    std::vector<std::wstring> ValueNames() const override
    {
        std::vector<std::wstring> names;
        DWORD longestName = 0;
        if (!Succeeded(debug_, L"RegQueryInfoKeyW",
                       ::RegQueryInfoKeyW(key_.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                          &longestName, nullptr, nullptr, nullptr)))
            return names;
        std::wstring buffer(longestName + 1, L'\0');
        for (DWORD index = 0;; ++index) {
            DWORD length = static_cast<DWORD>(buffer.size());
            const LSTATUS status =
                ::RegEnumValueW(key_.Get(), index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
            if (status != ERROR_SUCCESS) {
                if (status != ERROR_NO_MORE_ITEMS)
                    ReportError(debug_, L"RegEnumValueW", static_cast<DWORD>(status));
                break;
            }
            names.emplace_back(buffer.data(), length);
        }
        return names;
    }

private:
    bool WriteText(const std::wstring& name, const std::wstring& value, DWORD type)
    {
        const DWORD size = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
        return Succeeded(debug_, L"RegSetValueExW",
                         ::RegSetValueExW(key_.Get(), name.c_str(), 0, type,
                                          reinterpret_cast<const BYTE*>(value.c_str()), size));
    }

    RegistryKeyHandle key_;
    ports::DebugOutput& debug_;
};

} // namespace

ports::CreatedKey Win32Registry::CreateKey(ports::RegistryRoot root, const std::wstring& path, ports::RegistryView view)
{
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (!Succeeded(debug_, L"RegCreateKeyExW",
                   ::RegCreateKeyExW(RootKey(root), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                     FullAccessIn(view), nullptr, &key, &disposition)))
        return {};
    RegistryKeyHandle owned(key);
    return {std::make_unique<Win32RegistryKey>(std::move(owned), debug_),
            disposition == REG_CREATED_NEW_KEY ? ports::KeyDisposition::Created : ports::KeyDisposition::Opened};
}

std::unique_ptr<ports::RegistryKey> Win32Registry::OpenKey(ports::RegistryRoot root, const std::wstring& path,
                                                           ports::RegistryView view)
{
    HKEY key = nullptr;
    if (!Succeeded(debug_, L"RegOpenKeyExW", ::RegOpenKeyExW(RootKey(root), path.c_str(), 0, FullAccessIn(view), &key)))
        return nullptr;
    return std::make_unique<Win32RegistryKey>(RegistryKeyHandle(key), debug_);
}

} // namespace win32
