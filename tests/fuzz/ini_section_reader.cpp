// Any bytes as an INI file: the section reader must give a result code and stay consistent, never crash.
#include "common/Inifilemanager.h"
#include "platform/memory/MemoryFileSystem.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::wstring path = L"C:\\fuzz\\input.ini";
    memory::MemoryFileSystem files;
    files.Put(path, std::string_view(reinterpret_cast<const char*>(data), size));

    REGINI_MGR::CIniMgr manager(files);
    const int result = manager.OpenFromFile(path);
    if (result != REGINI_MGR::kIniOpenOk && result != REGINI_MGR::kIniOpenCannotDecode)
        std::abort(); // nothing but decoding can fail for bytes that were read

    for (const std::wstring& line : manager.Lines())
        for (const wchar_t unit : line)
            if (static_cast<std::uint32_t>(unit) > 0xFFFF || unit == L'\0')
                std::abort();

    std::vector<std::wstring> names;
    const std::vector<std::wstring> sectionNames = manager.SectionNames();
    if (sectionNames.size() != manager.SectionCount())
        std::abort();
    for (std::size_t i = 0; i < manager.SectionCount(); ++i) {
        const REGINI_MGR::CIniSectionDefine definition = manager.SectionAt(i);
        if (!manager.HasSection(definition.Name()) || sectionNames[i] != definition.Name())
            std::abort();
        if (!manager.GetValue(definition.Name(), L"").empty())
            std::abort(); // an empty key names no value
        manager.GetValueNames(definition.Name(), names);
        for (const std::wstring& name : names)
            if (name.empty())
                std::abort();
            else
                (void)manager.GetValue(definition.Name(), name);
    }

    // A section the file does not have: no values, and the names asked for stay as they were.
    const std::wstring missing = L"\x1Fno such section\x1F";
    names.assign(1, L"kept");
    manager.GetValueNames(missing, names);
    if (manager.HasSection(missing) || names != std::vector<std::wstring>{L"kept"} ||
        !manager.GetValue(missing, L"key").empty())
        std::abort();
    return 0;
}
