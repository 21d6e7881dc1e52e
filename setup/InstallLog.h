#pragma once
// The log file of a silent run: every diagnostic line goes to the debugger output as usual and is also
// appended to the log, which is written out after each line so that a run that hangs leaves its log.

#include "common/ports/DebugOutput.h"
#include "common/ports/FileSystem.h"

#include <mutex>
#include <string>
#include <vector>

namespace setup {

class InstallLog final : public ports::DebugOutput {
public:
    InstallLog(ports::DebugOutput& debugger, ports::FileSystem& files, std::wstring path)
        : debugger_(debugger), files_(files), path_(std::move(path))
    {
    }

    void Write(const std::wstring& text) override;
    const std::wstring& Path() const { return path_; }
    // False once a write of the log file has failed.
    bool Written() const;

private:
    ports::DebugOutput& debugger_;
    ports::FileSystem& files_;
    const std::wstring path_;
    mutable std::mutex mutex_;
    std::string utf8_;
    bool written_ = true;
};

// The switches of a silent run, the program's path not among the arguments: "/S" (any letter case) runs
// without a window, "/LOG=<path>" names the log file, "/RemoveProfiles" lets the uninstaller take the
// user's profiles as well. Other arguments are ignored.
struct RunArguments {
    bool silent = false;
    std::wstring logPath; // empty: the default log
    bool removeProfiles = false;
};
RunArguments ParseRunArguments(const std::vector<std::wstring>& arguments);

} // namespace setup
