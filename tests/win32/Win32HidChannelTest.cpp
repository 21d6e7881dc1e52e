#include "platform/win32/Win32HidChannel.h"

#include <gtest/gtest.h>

// Wine shows two virtual HID devices of its own bus, VID 845E: a mouse and a keyboard.
namespace {
constexpr std::uint16_t kWineVid = 0x845E;
constexpr std::uint16_t kWineMousePid = 0x0001;
constexpr std::uint16_t kWineKeyboardPid = 0x0002;
} // namespace

TEST(Win32HidChannel, OpensAPresentInterfaceByVidAndPidAndReadsItsReportLengths)
{
    win32::Win32HidChannel channel;
    for (const std::uint16_t pid : {kWineMousePid, kWineKeyboardPid}) {
        SCOPED_TRACE(pid);
        const auto device = channel.OpenFirst(kWineVid, pid);
        ASSERT_NE(device, nullptr);
        EXPECT_GT(device->InputReportLength(), 0u) << "both announce input reports";
    }
}

TEST(Win32HidChannel, AbsentVidOrPidGivesNoInterface)
{
    win32::Win32HidChannel channel;
    EXPECT_EQ(channel.OpenFirst(0x4D2F, 0x4802), nullptr);
    EXPECT_EQ(channel.OpenFirst(kWineVid, 0x7777), nullptr) << "the vendor alone does not match";
    EXPECT_EQ(channel.OpenFirst(0x7777, kWineMousePid), nullptr) << "the product alone does not match";
}
