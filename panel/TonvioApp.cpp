// Process entry of the control panel: the command line decides between a request to the companion
// service and the panel; one panel runs per session; the main window's model is hosted in a Win32
// window whose message loop runs until the panel closes. The panel drives the headset through the
// system, or the emulated chip when the user asked for it.

#include "emulator/win32/EmulatedDeviceNotifier.h"
#include "emulator/win32/SharedEmulatedDevice.h"
#include "panel/shell/MainFormEvents.h"
#include "panel/shell/PanelApplication.h"
#include "panel/shell/PanelDevices.h"
#include "panel/shell/ProcessEntry.h"
#include "platform/win32/Win32DeviceNotifications.h"
#include "platform/win32/Win32FilterDriver.h"
#include "platform/win32/Win32HidChannel.h"
#include "platform/win32/Win32MainWindow.h"
#include "platform/win32/Win32LedDialog.h"
#include "platform/win32/Win32ModalForms.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32SdkLibrary.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32ShellOpen.h"
#include "platform/win32/Win32SingleInstance.h"
#include "platform/win32/Win32WindowsAudio.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <exception>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Argument 0 is the program's full path, whatever the command line calls it.
std::vector<std::wstring> Arguments()
{
    std::vector<std::wstring> arguments{win32::RunningProgramPath()};
    int count = 0;
    if (LPWSTR* parsed = ::CommandLineToArgvW(::GetCommandLineW(), &count)) {
        for (int i = 1; i < count; ++i)
            arguments.emplace_back(parsed[i]);
        ::LocalFree(parsed);
    }
    return arguments;
}

// The system's loader for either device: the stand-in library beside the panel answers from the
// emulated chip, so the SDK is found and bound the same way.
class LoadedSdk final : public shell::SdkSource {
public:
    explicit LoadedSdk(ports::DebugOutput& debug) : debug_(debug) {}
    int Load(std::unique_ptr<ports::AudioSdk>& sdk) override
    {
        device::SdkLoadOutcome outcome = win32::LoadAudioSdk(debug_);
        sdk = std::move(outcome.sdk);
        return outcome.result;
    }

private:
    ports::DebugOutput& debug_;
};

// Windows reports device interfaces only to a window that registered for them, from then on; the
// emulated chip's plug-ins and removals are reported the same way.
class EmulatedDeviceBroadcasts final : public ports::DeviceNotifications {
public:
    EmulatedDeviceBroadcasts(ports::DeviceNotifications& system, emulator::Chip& chip, HWND window)
        : system_(system), chip_(chip), window_(window)
    {
    }
    bool RegisterWindow() override
    {
        const bool registered = system_.RegisterWindow();
        if (registered && !notifier_)
            notifier_ = std::make_unique<emulator::EmulatedDeviceNotifier>(chip_, window_);
        return registered;
    }

private:
    ports::DeviceNotifications& system_;
    emulator::Chip& chip_;
    HWND window_;
    std::unique_ptr<emulator::EmulatedDeviceNotifier> notifier_;
};

// The emulated device, when the user asked for it; a request that cannot be met ends the panel rather
// than letting it drive the real device instead.
std::unique_ptr<emulator::SharedEmulatedDevice> OpenRequestedEmulatedDevice()
{
    if (!emulator::EmulatedDeviceRequested())
        return nullptr;
    unsigned long error = 0;
    auto device = emulator::SharedEmulatedDevice::Open(error);
    if (!device)
        throw std::runtime_error("The emulated device cannot be opened: system error " + std::to_string(error));
    return device;
}

int RunPanel(HINSTANCE instance)
{
    win32::Win32Platform platform;
    const ports::Platform ports = platform.Ports();
    const std::vector<std::wstring> arguments = Arguments();

    const shell::EntryOutcome outcome = shell::DecideProcessStart(arguments, ports.services, ports.clock, ports.debug);
    if (!outcome.runPanel)
        return outcome.exitCode;

    // The running panel's caption is its configured title, so a second start searches for that title.
    _APPLICATION_FOLDER_PATH config;
    LoadApplicationConfig(ports, kAudioConfigFileName, arguments[0], config);
    win32::Win32SingleInstance session;
    if (shell::DecideSingleInstance(session, shell::ApplicationTitle(config, arguments[0])) ==
        shell::InstanceDecision::AnotherRuns)
        return 0;

    const std::unique_ptr<emulator::SharedEmulatedDevice> emulated = OpenRequestedEmulatedDevice();

    // The manifest asks for the version 6 controls; loading them here gives the check box that look.
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    win32::Win32MainWindow window(instance);
    if (!window.Created())
        return 0;
    win32::Win32TrayIcon tray(window.Handle(), win32::kTrayCallbackMessage);
    win32::Win32PopupMenus menus(window.Handle());
    win32::Win32MessageBoxes messageBoxes(window.Handle());
    win32::Win32ColourDialog colourDialog(window.Handle());
    win32::Win32FileDialogs fileDialogs(window.Handle());
    win32::Win32Screen screen;
    win32::Win32WindowMessages messages;
    win32::Win32ShellOpen shellOpen(window.Handle());
    win32::Win32ModalForms modalForms(instance, window.Handle());
    win32::Win32LedDialog ledDialog(instance, window.Handle());
    win32::Win32DeviceNotifications systemNotifications(window.Handle());
    std::unique_ptr<EmulatedDeviceBroadcasts> emulatedNotifications;
    if (emulated)
        emulatedNotifications =
            std::make_unique<EmulatedDeviceBroadcasts>(systemNotifications, emulated->chip(), window.Handle());
    ports::DeviceNotifications& notifications =
        emulatedNotifications ? static_cast<ports::DeviceNotifications&>(*emulatedNotifications) : systemNotifications;
    const ports::WindowPorts windowPorts{window, messageBoxes, colourDialog, fileDialogs,   window,    screen,    tray,
                                         menus,  messages,     window,       notifications, shellOpen, modalForms};

    // Completed capture buffers come back to the window, which hands them to the microphone's meter.
    win32::Win32WindowsAudio audio(window.Handle(), ports.debug);
    window.HandleMessage(MM_WIM_DATA, [&audio](WPARAM device, LPARAM header) { audio.OnCaptureData(device, header); });

    LoadedSdk sdk(ports.debug);
    win32::Win32HidChannel systemHid;
    win32::Win32FilterDriver systemFilterDriver;
    const shell::PanelDevices devices =
        emulated ? shell::PanelDevices{sdk, emulated->hid(), emulated->filterDriver(), emulated->enumeration(), audio, true}
                 : shell::PanelDevices{sdk, systemHid, systemFilterDriver, ports.devices, audio, false};

    shell::PanelApplication application(ports, windowPorts, devices, {arguments[0], ::GetCommandLineW()});
    application.LedForm().SetWindow(ledDialog);
    shell::TAudioMainForm& mainForm = application.MainForm();
    shell::MainFormEvents events(mainForm);
    window.Attach(mainForm.Form(), events);
    mainForm.FormCreate();
    if (!mainForm.Construct())
        return 0;
    window.Redraw();
    return window.Run();
}

std::wstring Widened(const char* text)
{
    std::wstring wide;
    for (; *text != '\0'; ++text)
        wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*text)));
    return wide;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    try {
        RunPanel(instance);
    } catch (const std::exception& failure) {
        ::MessageBoxW(nullptr, Widened(failure.what()).c_str(), L"TonvioApp", MB_OK | MB_ICONERROR);
    }
    // The panel always ends with 0, also after a failure it has shown.
    return 0;
}
