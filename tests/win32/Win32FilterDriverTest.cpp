#include "device/FilterDriverChannel.h"
#include "platform/win32/Win32FilterDriver.h"

#include <gtest/gtest.h>
#include <windows.h>

// No machine under test has the filter driver, so its channel is missing; the request path is shown
// against a file, which opens with the same access and refuses a driver's control code.
TEST(Win32FilterDriver, MissingChannelFailsToOpenAndEveryRequestSaysSo)
{
    win32::Win32FilterDriver driver;
    EXPECT_EQ(driver.OpenDevicePath(device::FilterDriverChannelPath(0x4D2F, 0x4802)), nullptr);

    device::FilterDriverChannel channel(driver);
    EXPECT_TRUE(channel.IsChannelMissing(0x4D2F, 0x4802));
    std::uint32_t status = 0;
    EXPECT_EQ(channel.StatusRequest(status), device::DriverRequestResult::CannotOpen);
    EXPECT_EQ(channel.SwitchEffect(1), device::DriverRequestResult::CannotOpen);
}

TEST(Win32FilterDriver, ExistingPathOpensAndARefusedRequestFailsWithNoBytes)
{
    wchar_t temp[MAX_PATH]{};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring path = std::wstring(temp) + L"tonvio-filter-driver-stand-in.bin";
    ::CloseHandle(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));

    win32::Win32FilterDriver driver;
    {
        const auto handle = driver.OpenDevicePath(path);
        ASSERT_NE(handle, nullptr);
        const std::uint8_t input[8] = {1, 0, 0, 0, 0, 0, 0, 0};
        std::uint8_t output[8] = {};
        const auto outcome = handle->Request(device::driver_codes::kStatus, input, output);
        EXPECT_FALSE(outcome.succeeded);
        EXPECT_EQ(outcome.bytesReturned, 0u);
    }
    EXPECT_TRUE(::DeleteFileW(path.c_str())) << "the handle was closed with its owner";
}
