// The loader in a process of its own, run from folders the test lays out: which copy of the library
// the Windows loader takes, and the result a library lacking an export gives.

#include "ChildProcess.h"
#include "device/SdkEntryPoints.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

namespace {

const std::wstring kLibrary = L"DLLQZ_Tonvio48xx_x32.dll";
const std::wstring kProbe = L"" TONVIO_SDK_LOAD_PROBE_FILE;

// A fresh empty folder under the temporary folder.
std::wstring FreshFolder(const std::wstring& name)
{
    wchar_t temp[MAX_PATH]{};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + name + L"\\";
    for (const wchar_t* file : {L"DLLQZ_Tonvio48xx_x32.dll", L"" TONVIO_SDK_LOAD_PROBE_FILE})
        ::DeleteFileW((folder + file).c_str());
    ::CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

bool CopyInto(const std::wstring& source, const std::wstring& folder, const std::wstring& name)
{
    return ::CopyFileW(source.c_str(), (folder + name).c_str(), FALSE) != FALSE;
}

// Sets an environment variable for the processes started meanwhile, and restores it.
class ScopedEnvironment {
public:
    ScopedEnvironment(const wchar_t* name, const std::wstring& value) : name_(name)
    {
        wchar_t old[32767]{};
        had_ = ::GetEnvironmentVariableW(name, old, 32767) > 0;
        old_ = old;
        ::SetEnvironmentVariableW(name, value.c_str());
    }
    ~ScopedEnvironment() { ::SetEnvironmentVariableW(name_, had_ ? old_.c_str() : nullptr); }

private:
    const wchar_t* name_;
    bool had_ = false;
    std::wstring old_;
};

} // namespace

TEST(SdkLoaderSearch, CopyOnlyInTheCurrentFolderOrOnThePathIsNotLoaded)
{
    const std::wstring programFolder = FreshFolder(L"tonvio-sdk-program");
    const std::wstring plantedFolder = FreshFolder(L"tonvio-sdk-planted");
    ASSERT_TRUE(CopyInto(child_process::ProgramFolder() + kProbe, programFolder, kProbe));
    ASSERT_TRUE(CopyInto(child_process::ProgramFolder() + kLibrary, plantedFolder, kLibrary));

    std::string output;
    {
        wchar_t path[32767]{};
        ::GetEnvironmentVariableW(L"PATH", path, 32767);
        const ScopedEnvironment planted(L"PATH", plantedFolder + L";" + path);
        const auto run = child_process::Run(programFolder + kProbe, L"", plantedFolder);
        EXPECT_EQ(run.exitCode, 1u) << run.output;
        output = run.output;
    }
    EXPECT_EQ(output.rfind("box: Error: error 126: ", 0), 0u) << output;

    // The same probe takes the library from its own folder: the 1 above is the search, not the set-up.
    ASSERT_TRUE(CopyInto(child_process::ProgramFolder() + kLibrary, programFolder, kLibrary));
    const auto beside = child_process::Run(programFolder + kProbe, L"", plantedFolder);
    EXPECT_EQ(beside.exitCode, 0u) << beside.output;
    EXPECT_EQ(beside.output, "result: 0\n");
}

TEST(SdkLoaderSearch, LibraryLackingAnExportGivesItsPositionCodeAndNamesIt)
{
    const std::wstring lackingFolder = child_process::ProgramFolder() + L"lacking-export\\";
    ASSERT_TRUE(CopyInto(child_process::ProgramFolder() + kProbe, lackingFolder, kProbe));

    const std::string lacking = TONVIO_TEST_LACKING_EXPORT;
    const auto position =
        std::find(sdk::kEntryPointNames.begin(), sdk::kEntryPointNames.end(), lacking) - sdk::kEntryPointNames.begin();
    ASSERT_LT(static_cast<std::size_t>(position), sdk::kEntryPointCount);
    ASSERT_GE(position, 2) << "the lacking export is one whose name the loader logs";

    const auto run = child_process::Run(lackingFolder + kProbe, L"");
    EXPECT_EQ(run.exitCode, static_cast<DWORD>(position + 2)) << run.output;
    EXPECT_EQ(run.output, "debug: ***** " + lacking + " *****\nresult: " + std::to_string(position + 2) + "\n");
}
