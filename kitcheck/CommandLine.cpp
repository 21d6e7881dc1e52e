#include "kitcheck/CommandLine.h"

#include "kitcheck/KitCheck.h"
#include "kitcheck/Report.h"

namespace kitcheck {

namespace {

constexpr char kUsage[] =
    "usage: TonvioKitCheck [--json] [--strict] <kit folder>\n"
    "  Checks an OEM kit (AudioConfig.cfg, skins, languages, DefaultProfile.ini) as TonvioApp and\n"
    "  TonvioSetup read it. Exit code: 0 clean, 1 warnings only, 2 errors (or a bad command line).\n"
    "  --json    one JSON document instead of lines\n"
    "  --strict  warnings count as errors\n";

} // namespace

CommandResult RunKitCheckCommand(const std::vector<std::wstring>& arguments, const ports::FileSystem& files,
                                 const ports::PrivateProfile& profile)
{
    bool json = false;
    bool strict = false;
    std::vector<std::wstring> folders;
    for (const std::wstring& argument : arguments) {
        if (argument == L"--json") {
            json = true;
        } else if (argument == L"--strict") {
            strict = true;
        } else if (argument == L"--help" || argument == L"-h" || argument == L"/?") {
            return {kExitClean, kUsage, ""};
        } else if (argument.starts_with(L"--")) {
            return {kExitErrors, "", "unknown option " + ToUtf8(argument) + "\n" + kUsage};
        } else {
            folders.push_back(argument);
        }
    }
    if (folders.size() != 1)
        return {kExitErrors, "", kUsage};

    std::vector<Finding> findings = CheckKit(files, profile, folders.front());
    if (strict)
        findings = ApplyStrict(std::move(findings));
    const int exitCode = ExitCode(Summarize(findings));
    return {exitCode, ToUtf8(json ? JsonReport(folders.front(), findings) : TextReport(findings)), ""};
}

} // namespace kitcheck
