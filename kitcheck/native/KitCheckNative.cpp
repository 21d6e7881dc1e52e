// The kit checker on Linux: the kit folder is loaded into the in-memory file system under the Windows path
// "C:\Kit\", and checked there by the same library as on Windows. For development and CI machines
// without Wine; the shipped checker is TonvioKitCheck.exe.

#include "kitcheck/CommandLine.h"
#include "platform/memory/MemoryPlatform.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr wchar_t kKitFolder[] = L"C:\\Kit";

void LoadFolder(const fs::path& root, memory::MemoryFileSystem& files)
{
    files.CreateFolder(kKitFolder);
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        std::wstring relative = fs::relative(entry.path(), root).wstring();
        for (wchar_t& c : relative)
            if (c == L'/')
                c = L'\\';
        const std::wstring path = std::wstring(kKitFolder) + L"\\" + relative;
        if (entry.is_directory()) {
            files.CreateFolder(path);
        } else if (entry.is_regular_file()) {
            std::ifstream in(entry.path(), std::ios::binary);
            files.Put(path, std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    memory::MemoryPlatform platform;
    std::vector<std::wstring> arguments;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.starts_with("-")) {
            arguments.emplace_back(argument.begin(), argument.end());
            continue;
        }
        if (!fs::is_directory(argument)) {
            arguments.emplace_back(argument.begin(), argument.end()); // reported as missing
            continue;
        }
        LoadFolder(argument, platform.files);
        arguments.emplace_back(kKitFolder);
    }
    const kitcheck::CommandResult result = kitcheck::RunKitCheckCommand(arguments, platform.files, platform.profile);
    std::fwrite(result.output.data(), 1, result.output.size(), stdout);
    std::fwrite(result.errors.data(), 1, result.errors.size(), stderr);
    return result.exitCode;
}
