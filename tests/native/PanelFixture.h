#pragma once
// A control panel on the in-memory platform and window, driving an in-process emulated device.

#include "BorrowedSdk.h"
#include "emulator/EmulatedDevice.h"
#include "panel/shell/PanelApplication.h"
#include "platform/memory/MemoryPlatform.h"
#include "platform/memory/MemoryWindow.h"
#include "platform/memory/MemoryWindowsAudio.h"

#include <memory>
#include <optional>
#include <string>

namespace testing_panel {

class EmulatedSdkSource final : public shell::SdkSource {
public:
    explicit EmulatedSdkSource(ports::AudioSdk& sdk) : sdk_(sdk) {}
    int Load(std::unique_ptr<ports::AudioSdk>& sdk) override
    {
        if (result != 0)
            return result;
        sdk = std::make_unique<BorrowedSdk>(sdk_);
        return 0;
    }
    int result = 0; // the loader's result the next construction sees

private:
    ports::AudioSdk& sdk_;
};

inline constexpr wchar_t kProgramFolder[] = L"C:\\Program Files\\Tonvio\\";
inline constexpr wchar_t kProgram[] = L"C:\\Program Files\\Tonvio\\TonvioApp.exe";
inline constexpr wchar_t kConfig[] = L"C:\\Program Files\\Tonvio\\AudioConfig.cfg";

// A PNG file's first bytes, enough to tell its size.
inline std::string PngHeader(int width, int height)
{
    std::string bytes = "\x89PNG\r\n\x1a\n";
    bytes += std::string("\0\0\0\x0dIHDR", 8);
    for (int value : {width, height})
        for (int shift = 24; shift >= 0; shift -= 8)
            bytes.push_back(static_cast<char>((value >> shift) & 0xFF));
    return bytes;
}

inline constexpr wchar_t kSkinFolder[] = L"C:\\Program Files\\Tonvio\\Skin\\1366x768\\Dark\\";
inline constexpr wchar_t kLanguageFile[] = L"C:\\Program Files\\Tonvio\\Language\\1366x768\\English\\Language.ini";

inline constexpr const char* kSkinSetting =
    "[Main]\r\nMainFormImage=main.png\r\n"
    "CloseImageUp=close_up.png,700,5\r\nCloseImageDown=close_down.png,700,5\r\n"
    "MinimizeImageUp=min_up.png,675,5\r\nMinimizeImageDown=min_down.png,675,5\r\n"
    "Menu3ImageUp=about_up.png,600,5,60,20\r\nMenu3ImageDown=about_down.png,600,5,60,20\r\n"
    "Menu1ImageUp=save_up.png,500,5,60,20\r\nMenu1ImageDown=save_down.png,500,5,60,20\r\n"
    "DeviceActiveUpImage=in_up.png,10,400\r\nDeviceActiveDownImage=in_down.png,10,400\r\n"
    "DeviceUnActiveUpImage=out_up.png,40,400\r\nDeviceUnActiveDownImage=out_down.png,40,400\r\n"
    "LedImageUp=led_up.png,70,400\r\nLedImageDown=led_down.png,70,400\r\n"
    "PageEQUpImage=tab_eq_up.png,10,100,100,30\r\nPageEQDownImage=tab_eq_down.png,10,100,100,30\r\n"
    "PageMicUpImage=tab_mic_up.png,10,140,100,30\r\nPageMicDownImage=tab_mic_down.png,10,140,100,30\r\n"
    "[EQ]\r\nEQSlider=100,200\r\nBack_EQImage=eq.png,150,50\r\n"
    "EQEQENImageUp=eqen_up.png,200,60\r\nEQEQENImageDown=eqen_down.png,200,60\r\n"
    "EQ60HzBarImage=bar.png,200,100,10,210\r\nEQ60HzSliderImage=knob.png,195,150,20,10\r\n"
    "EQResetImageUp=reset_up.png,500,60,60,24\r\nEQResetImageDown=reset_down.png,500,60,60,24\r\n"
    "[Mic]\r\nMicSlider=120,100\r\nBack_MicImage=mic.png,150,50\r\n"
    "MicBarImage=bar.png,300,120,10,110\r\nMicSliderImage=knob.png,295,170,20,10\r\n"
    "[About]\r\nLogoImage=logo.png,16,20,57,49\r\n";

inline constexpr struct {
    const wchar_t* file;
    int width;
    int height;
} kPictures[] = {
    {L"main.png", 760, 460},   {L"close_up.png", 20, 20}, {L"close_down.png", 20, 20}, {L"min_up.png", 20, 20},
    {L"min_down.png", 20, 20}, {L"in_up.png", 24, 24},    {L"in_down.png", 24, 24},    {L"out_up.png", 24, 24},
    {L"out_down.png", 24, 24}, {L"eq.png", 600, 380},     {L"eqen_up.png", 60, 24},    {L"eqen_down.png", 60, 24},
    {L"knob.png", 20, 10},     {L"bar.png", 10, 210},     {L"mic.png", 600, 380},      {L"led_up.png", 24, 24},
    {L"led_down.png", 24, 24}, {L"logo.png", 57, 49},     {L"reset_up.png", 60, 24},   {L"reset_down.png", 60, 24},
};

inline constexpr const char* kLanguage =
    "[GlobalFont]\r\nColorUp=$FFFFFF\r\nColorDown=$00A5FF\r\nFont=Segoe UI\r\nFontSize=9\r\n"
    "[Main]\r\nLabelMenu1=Save\r\nLabelMenu3=About\r\nLabelPageEQ=Equalizer,,,,,20,105\r\n"
    "LabelPageMic=Microphone,,,,,20,145\r\nLabelActive=Device active\r\nLabelUnDriver=Driver missing\r\n"
    "LabelUnactive=No device\r\nLabelWarning=Please connect the device.\r\n"
    "LabelWarning1=Noise cancellation is not available.\r\nLabelSkin=Skins\r\n"
    "[EQ]\r\nLabelEQEnable=Enable,65280,255\r\nLabelEQReset=Reset,,,,,505,64,40,16\r\n"
    "[About]\r\nLabelAbout=Tonvio audio control panel\r\nLabelWeb=https://tonvio.example/support\r\n";

struct PanelFixture {
    memory::MemoryPlatform platform;
    memory::MemoryWindowPorts windowSide{platform.clock};
    emulator::EmulatedDevice device;
    EmulatedSdkSource sdkSource{device.sdk()};
    memory::MemoryWindowsAudio audio;
    const ports::Platform ports = platform.Ports();
    const ports::WindowPorts window = windowSide.Ports();
    const shell::PanelDevices devices{sdkSource, device.hid(), device.filterDriver(), device.enumeration(), audio, false};
    std::optional<shell::PanelApplication> app;

    // A small product: one skin ("Dark") and one language ("English") for a 1920 x 1080 screen, the
    // emulated device's IDs accepted. `extraConfig` is appended to "AudioConfig.cfg".
    void PutKit(const std::string& extraConfig = "")
    {
        platform.files.Put(kConfig,
                           "[Install]\r\nInstallAppTitle=Tonvio\r\n[Language]\r\nLanguageFolderName=Language\r\n"
                           "DefaultLanguage=English\r\n[Skin]\r\nSkinFolderName=Skin\r\nDefaultSkin=Dark\r\n"
                           "[MultiLanguageFolderMap]\r\nEnglish=English\r\n"
                           "[USB_VID_PID]\r\n1=USB\\VID_4D2F&PID_48XX&REV_0100&MI_00\r\n" +
                               extraConfig);
        platform.files.Put(std::wstring(kSkinFolder) + L"SkinSetting.ini", kSkinSetting);
        for (const auto& [file, width, height] : kPictures)
            platform.files.Put(std::wstring(kSkinFolder) + file, PngHeader(width, height));
        platform.files.Put(kLanguageFile, kLanguage);
    }

    // Creates the panel; construction is the caller's.
    shell::TAudioMainForm& Create(const std::wstring& commandLine = L"TonvioApp.exe -servicestart")
    {
        app.reset();
        app.emplace(ports, window, devices, shell::StartContext{kProgram, commandLine});
        return app->MainForm();
    }
};

} // namespace testing_panel
