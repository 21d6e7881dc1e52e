#include "ChildProcess.h"
#include "device/SdkLoader.h"
#include "emulator/win32/SharedEmulatedDevice.h"
#include "platform/memory/RecordingDebugOutput.h"
#include "platform/win32/Win32SdkLibrary.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <array>
#include <atomic>

using emulator::ChipState;

namespace {

constexpr std::uint16_t kVid = 0x4D2F;
constexpr std::uint16_t kPid = 0x4802;

class RecordingErrorBox final : public ports::ErrorBox {
public:
    std::vector<std::wstring> texts;
    void Show(const std::wstring& text, const std::wstring& caption) override
    {
        texts.push_back(caption + L": " + text);
    }
};

child_process::Finished RunTool(const std::wstring& arguments)
{
    return child_process::Run(child_process::ProgramFolder() + L"TonvioChipTool.exe", arguments);
}

// The stand-in library loaded through the real loader, and this process's own view of the chip it
// shares with the library and the control tool; the chip starts from the factory state.
class StandInSdkTest : public testing::Test {
protected:
    void SetUp() override
    {
        unsigned long error = 0;
        device_ = emulator::SharedEmulatedDevice::Open(error);
        ASSERT_NE(device_, nullptr) << "error " << error;
        chip().WithState([](ChipState& s) {
            emulator::ResetChipState(s);
            return 0;
        });
        win32::Win32SdkLibraryLoader loader;
        outcome_ = device::LoadSdk(loader, errorBox_, debug_);
        ASSERT_EQ(outcome_.result, device::kSdkBound) << "debug lines: " << debug_.Lines().size();
        ASSERT_TRUE(errorBox_.texts.empty());
    }

    emulator::Chip& chip() { return device_->chip(); }
    ports::AudioSdk& sdk() { return *outcome_.sdk; }
    template <typename Read> auto State(Read read)
    {
        return chip().WithState([&](ChipState& s) { return read(s); });
    }

    std::unique_ptr<emulator::SharedEmulatedDevice> device_;
    RecordingErrorBox errorBox_;
    memory::RecordingDebugOutput debug_;
    device::SdkLoadOutcome outcome_;
};

struct ButtonCall {
    std::atomic<int> calls{0};
    std::atomic<DWORD> thread{0};
    std::array<std::uint8_t, 5> report{};
    std::uint16_t vid = 0;
    std::uint16_t pid = 0;
    HANDLE called = nullptr;
};
ButtonCall* g_buttonCall = nullptr;

std::int32_t TONVIO_SDK_CALL RecordButton(std::uint16_t vid, std::uint16_t pid, const std::uint8_t* report,
                                          std::int32_t, std::int32_t)
{
    g_buttonCall->vid = vid;
    g_buttonCall->pid = pid;
    std::copy_n(report, 5, g_buttonCall->report.begin());
    g_buttonCall->thread = ::GetCurrentThreadId();
    ++g_buttonCall->calls;
    ::SetEvent(g_buttonCall->called);
    return 0;
}

} // namespace

TEST_F(StandInSdkTest, LoadsByBareNameFromTheProgramFolderAndCallsReachTheSharedChip)
{
    wchar_t path[MAX_PATH]{};
    ::GetModuleFileNameW(::GetModuleHandleW(L"DLLQZ_Tonvio48xx_x32.dll"), path, MAX_PATH);
    EXPECT_EQ(std::wstring(path), child_process::ProgramFolder() + L"DLLQZ_Tonvio48xx_x32.dll");

    EXPECT_EQ(sdk().DLLQZ_SetActive_Device(kVid, kPid), 0);
    EXPECT_EQ(sdk().DLLQZ_Write_Register_ById(0x0230, 0xA5, 0), 0);
    wchar_t version[16]{};
    EXPECT_EQ(sdk().DLLQZ_GetDLL_VersionW(version, 16), 0);
    EXPECT_STREQ(version, L"1.0.0.1");

    const auto requests = chip().Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].entryPoint, static_cast<std::uint8_t>(sdk::EntryPoint::DLLQZ_SetActive_Device));
    EXPECT_EQ(std::vector<std::int32_t>(requests[0].args, requests[0].args + requests[0].argCount),
              (std::vector<std::int32_t>{kVid, kPid}));
    EXPECT_EQ(State([](ChipState& s) { return s.registers[0x0230]; }), 0xA5);

    // A third process sees the same chip.
    const auto dump = RunTool(L"registers 230");
    EXPECT_EQ(dump.exitCode, 0u);
    EXPECT_EQ(dump.output, "0230: A5\n");
    const auto record = RunTool(L"requests");
    EXPECT_NE(record.output.find("sdk DLLQZ_Write_Register_ById(560, 165, 0) -> 0"), std::string::npos)
        << record.output;
}

TEST_F(StandInSdkTest, ToolAndThisProcessSharePresence)
{
    ASSERT_EQ(sdk().DLLQZ_Search_Present_Device(kVid, kPid), 0);
    ASSERT_EQ(RunTool(L"unplug").exitCode, 0u);
    EXPECT_EQ(State([](ChipState& s) { return s.presence.plugged; }), 0);
    EXPECT_NE(sdk().DLLQZ_Search_Present_Device(kVid, kPid), 0);
    EXPECT_EQ(device_->hid().OpenFirst(kVid, kPid), nullptr);
    EXPECT_TRUE(device_->enumeration().PresentDevices()->empty());

    ASSERT_EQ(RunTool(L"plug").exitCode, 0u);
    EXPECT_EQ(sdk().DLLQZ_Search_Present_Device(kVid, kPid), 0);
    EXPECT_NE(device_->hid().OpenFirst(kVid, kPid), nullptr);

    ASSERT_EQ(RunTool(L"report-lengths 4 65").exitCode, 0u);
    const auto hid = device_->hid().OpenFirst(kVid, kPid);
    ASSERT_NE(hid, nullptr);
    EXPECT_EQ(hid->OutputReportLength(), 4u);
    const auto status = RunTool(L"status");
    EXPECT_NE(status.output.find("report-lengths 4 65\n"), std::string::npos) << status.output;
    EXPECT_NE(status.output.find("open-handles hid 1 driver 0\n"), std::string::npos) << "this process's handle";
}

TEST_F(StandInSdkTest, ButtonPressedByTheToolReachesTheScanCallbackOnAThreadOfTheLibrary)
{
    ButtonCall call;
    win32::KernelHandle called(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
    call.called = called.Get();
    g_buttonCall = &call;

    ASSERT_EQ(sdk().DLLQZ_SetActive_Device(kVid, kPid), 0);
    ASSERT_EQ(sdk().DLLQZ_ScanButton_ById(kVid, kPid, &RecordButton, 1, 0), 0);
    ASSERT_EQ(RunTool(L"press 21 00 7F 03 C0").exitCode, 0u);
    ASSERT_EQ(::WaitForSingleObject(called.Get(), 5000), WAIT_OBJECT_0);
    EXPECT_EQ(call.calls, 1);
    EXPECT_EQ(call.report, (std::array<std::uint8_t, 5>{0x21, 0x00, 0x7F, 0x03, 0xC0}));
    EXPECT_EQ(call.vid, kVid);
    EXPECT_EQ(call.pid, kPid);
    EXPECT_NE(call.thread, ::GetCurrentThreadId());

    // Once the scan is off, presses go nowhere.
    ASSERT_EQ(sdk().DLLQZ_ScanButton_ById(kVid, kPid, nullptr, 0, 0), 0);
    ASSERT_EQ(RunTool(L"press 22 00 00 00 00").exitCode, 0u);
    EXPECT_EQ(::WaitForSingleObject(called.Get(), 300), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_EQ(call.calls, 1);
    g_buttonCall = nullptr;
}

// A second view of a chip of its own name: one state between views, and a block that is not a chip
// state of this layout is reset when opened.
TEST(SharedChip, ViewsShareOneStateAndAForeignBlockIsReset)
{
    const std::wstring name = L"TonvioEmulatedChip.Test." + std::to_wstring(::GetCurrentProcessId());
    unsigned long error = 0;
    {
        auto first = emulator::SharedChip::Open(error, name);
        auto second = emulator::SharedChip::Open(error, name);
        ASSERT_NE(first, nullptr);
        ASSERT_NE(second, nullptr);
        first->chip().Unplug();
        EXPECT_EQ(second->chip().WithState([](ChipState& s) { return s.presence.plugged; }), 0);
        second->chip().WithState([](ChipState& s) { return s.layout = emulator::kChipStateLayout + 1; });
    }
    const auto reopened = emulator::SharedChip::Open(error, name);
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(reopened->chip().WithState([](ChipState& s) { return s.layout; }), emulator::kChipStateLayout);
    EXPECT_EQ(reopened->chip().WithState([](ChipState& s) { return s.presence.plugged; }), 1) << "factory state";
}

TEST(EmulationSwitch, OnlyTheVariableSetToOneChoosesTheEmulatedDevice)
{
    const struct {
        const wchar_t* value;
        bool chosen;
    } cases[] = {{nullptr, false}, {L"1", true}, {L"0", false}, {L"", false}, {L"10", false}, {L"yes", false}};
    for (const auto& c : cases) {
        ::SetEnvironmentVariableW(L"TONVIO_EMULATED_DEVICE", c.value);
        EXPECT_EQ(emulator::EmulatedDeviceRequested(), c.chosen) << (c.value ? "set" : "unset");
    }
    ::SetEnvironmentVariableW(L"TONVIO_EMULATED_DEVICE", nullptr);
}
