#include "setup/CompanionService.h"

#include "common/Text.h"

namespace setup {

namespace {

constexpr std::size_t kLineChars = 1024;

} // namespace

ControlOutcome CompanionService::OnControl(std::uint32_t code)
{
    switch (code) {
    case kControlBeforeInstall:
        debug_.Write(L"DeviceWatchService: control 128, an installation follows\n");
        return ControlOutcome::Noted;
    case kControlStartPanel:
        return StartPanel(kPanelStartEntry);
    case kControlLogOn:
        return StartPanel(kPanelLogOnEntry);
    default:
        debug_.Write(FormatText(kLineChars, L"DeviceWatchService: control %u is not one of its own\n", code));
        return ControlOutcome::NotOwn;
    }
}

ControlOutcome CompanionService::StartPanel(const wchar_t* entry)
{
    // The installer writes the entries in the 32-bit view, where the 32-bit setup and panel look.
    const auto key = registry_.OpenKey(ports::RegistryRoot::LocalMachine, std::wstring(L"SOFTWARE\\") + kProductSoftwareKey, ports::RegistryView::Bits32);
    const std::wstring commandLine = key ? key->ReadString(entry).value_or(L"") : L"";
    if (commandLine.empty()) {
        debug_.Write(FormatText(kLineChars, L"DeviceWatchService: no start-up entry \"%ls\"\n", entry));
        return ControlOutcome::NoEntry;
    }
    if (launcher_.InstanceRuns(kPanelInstanceMutex)) {
        debug_.Write(L"DeviceWatchService: the control panel runs already\n");
        return ControlOutcome::AlreadyRunning;
    }
    if (!launcher_.StartInUserSession(commandLine)) {
        debug_.Write(L"DeviceWatchService: could not start " + commandLine + L"\n");
        return ControlOutcome::StartFailed;
    }
    debug_.Write(L"DeviceWatchService: started " + commandLine + L"\n");
    return ControlOutcome::Started;
}

} // namespace setup
