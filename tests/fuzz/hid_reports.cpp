// The device's HID reports as the panel reads them, from a device that announces any report lengths,
// takes or refuses any report and answers with any bytes; and the button reports the SDK hands over, of
// any length. Every result stays within its documented codes, every report sent has the announced
// length with only its first five bytes used, a value is taken from the answer only on success, and no
// report is read past its end.
#include "FuzzSupport.h"
#include "device/ButtonScan.h"
#include "device/HidRegisterChannel.h"
#include "device/HidReportLayout.h"
#include "emulator/EmulatedDevice.h"
#include "platform/memory/RecordingDebugOutput.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>

namespace {

class FuzzedHid final : public ports::HidInterface {
public:
    explicit FuzzedHid(FuzzedDataProvider& input)
        : input_(input), output_(input.ConsumeIntegralInRange<std::size_t>(0, 70)),
          inputLength_(input.ConsumeIntegralInRange<std::size_t>(0, 70))
    {
    }

    std::size_t OutputReportLength() const override { return output_; }
    std::size_t InputReportLength() const override { return inputLength_; }

    bool SendOutputReport(std::span<const std::uint8_t> report) override
    {
        FUZZ_CHECK(report.size() == output_ && output_ > 0);
        FUZZ_CHECK(report[0] == 0); // report ID 0
        FUZZ_CHECK(std::all_of(report.begin() + std::min<std::size_t>(5, report.size()), report.end(),
                               [](std::uint8_t b) { return b == 0; }));
        sent.emplace_back(report.begin(), report.end());
        return input_.ConsumeBool();
    }

    bool ReadInputReport(std::span<std::uint8_t> report) override
    {
        FUZZ_CHECK(report.size() == inputLength_);
        const std::vector<std::uint8_t> bytes = input_.ConsumeBytes<std::uint8_t>(report.size());
        std::copy(bytes.begin(), bytes.end(), report.begin());
        answer.assign(report.begin(), report.end());
        return input_.ConsumeBool();
    }

    std::vector<std::vector<std::uint8_t>> sent;
    std::vector<std::uint8_t> answer;

private:
    FuzzedDataProvider& input_;
    std::size_t output_;
    std::size_t inputLength_;
};

// The bytes a report of `length` carries where the panel put `meaningful`.
bool Carries(const std::vector<std::uint8_t>& report, std::array<std::uint8_t, 5> meaningful)
{
    for (std::size_t i = 0; i < report.size() && i < meaningful.size(); ++i)
        if (report[i] != meaningful[i])
            return false;
    return true;
}

void RegisterRead(FuzzedDataProvider& input)
{
    FuzzedHid hid(input);
    const auto address = input.ConsumeIntegral<std::uint16_t>();
    std::uint8_t value = 0xA5;
    const int result = static_cast<int>(device::ReadRegister(hid, address, value));
    FUZZ_CHECK(result >= 0 && result <= 4);
    if (hid.OutputReportLength() > 0)
        FUZZ_CHECK(
            !hid.sent.empty() &&
            Carries(hid.sent[0], {0, device::hid_report::kCommand, static_cast<std::uint8_t>(address & 0xFF),
                                  static_cast<std::uint8_t>(address >> 8), device::hid_report::kSelectRegister}));
    if (result == 0)
        FUZZ_CHECK(hid.answer.size() >= 3 && value == hid.answer[2]);
    else
        FUZZ_CHECK(value == 0xA5);
}

void RegisterWrite(FuzzedDataProvider& input)
{
    FuzzedHid hid(input);
    const auto address = input.ConsumeIntegral<std::uint16_t>();
    const auto value = input.ConsumeIntegral<std::uint8_t>();
    const int result = static_cast<int>(device::WriteRegister(hid, address, value));
    FUZZ_CHECK(result >= 0 && result <= 3);
    FUZZ_CHECK(hid.sent.size() == (result == 0 || result == 3 ? 2u : result == 2 ? 1u : 0u));
    if (hid.sent.size() == 2)
        FUZZ_CHECK(
            Carries(hid.sent[1], {0, device::hid_report::kCommand, value, 0x01, device::hid_report::kWriteData}));
}

void GpioRead(FuzzedDataProvider& input)
{
    FuzzedHid hid(input);
    device::GpioLines lines{};
    lines.fill(true);
    const int result = static_cast<int>(device::ReadGpioLines(hid, lines));
    FUZZ_CHECK(result >= 0 && result <= 6);
    if (result != 0) {
        FUZZ_CHECK(std::all_of(lines.begin(), lines.end(), [](bool line) { return line; }));
        return;
    }
    FUZZ_CHECK(hid.answer.size() >= 5);
    for (std::size_t i = 0; i < 8; ++i)
        FUZZ_CHECK(lines[i] == (((hid.answer[2] >> i) & 1) != 0));
    FUZZ_CHECK(lines[8] == ((hid.answer[3] & 1) != 0) && lines[9] == ((hid.answer[3] & 2) != 0));
}

void GpioWrite(FuzzedDataProvider& input)
{
    FuzzedHid hid(input);
    device::GpioLines lines{};
    const auto bits = input.ConsumeIntegral<std::uint16_t>();
    for (std::size_t i = 0; i < lines.size(); ++i)
        lines[i] = ((bits >> i) & 1) != 0;
    const int result = static_cast<int>(device::WriteGpioLines(hid, lines));
    FUZZ_CHECK(result >= 0 && result <= 3);
    if (result == 0 || result == 3) {
        FUZZ_CHECK(hid.sent.size() == 1 && hid.sent[0].size() >= 5);
        FUZZ_CHECK(hid.sent[0][2] == (bits & 0xFF) && hid.sent[0][3] == device::hid_report::kGpioWriteLowMarker);
        FUZZ_CHECK(hid.sent[0][4] == (device::hid_report::kGpioWriteMarker | ((bits >> 8) & 3)));
    }
}

void EndOfTransfer(FuzzedDataProvider& input)
{
    FuzzedHid hid(input);
    const int result = static_cast<int>(device::EndTransfer(hid));
    FUZZ_CHECK(result >= 0 && result <= 2);
    FUZZ_CHECK(result == 1 || (hid.sent.size() == 1 && Carries(hid.sent[0], {0, 0, 0, 0, 0})));
}

// The SDK's button callback with a report of any length, in a buffer of exactly that length.
void ButtonReport(FuzzedDataProvider& input)
{
    static emulator::EmulatedDevice device;
    memory::RecordingDebugOutput debug;
    std::vector<device::ButtonReport> handled;
    int wakes = 0;
    int pendingRuns = 0;
    const int handlerResult = input.ConsumeIntegralInRange<int>(-2, 2);
    device::ButtonScan scan(device.sdk(), debug, 2,
                            {[&] { ++wakes; },
                             [&](const device::ButtonReport& report) {
                                 handled.push_back(report);
                                 return handlerResult;
                             },
                             [&] { ++pendingRuns; }});
    const auto length = input.ConsumeIntegralInRange<int>(-2, 8);
    const std::vector<std::uint8_t> bytes =
        input.ConsumeBytes<std::uint8_t>(static_cast<std::size_t>(std::max(length, 0)));
    const auto buffer = std::make_unique<std::uint8_t[]>(bytes.size());
    std::copy(bytes.begin(), bytes.end(), buffer.get());
    device::ButtonScan::SdkCallback(0x4D2F, 0x4802, buffer.get(), static_cast<std::int32_t>(bytes.size()), 0);
    scan.DeliverReports();
    const std::size_t posted = bytes.empty() ? 0 : 1; // a report without bytes carries nothing
    FUZZ_CHECK(handled.size() == posted && wakes == static_cast<int>(posted) &&
               pendingRuns == static_cast<int>(posted));
    FUZZ_CHECK(scan.ButtonSeen() == (posted == 1));
    if (handled.size() == 1)
        for (std::size_t i = 0; i < handled[0].size(); ++i)
            FUZZ_CHECK(handled[0][i] == (i < bytes.size() ? bytes[i] : 0));
    const bool failureLogged = std::any_of(debug.Lines().begin(), debug.Lines().end(),
                                           [](const std::wstring& line) { return line.find(L"FAIL") != line.npos; });
    FUZZ_CHECK(failureLogged == (posted == 1 && handlerResult != 0 && handlerResult != -1));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    while (input.remaining_bytes() > 0) {
        switch (input.ConsumeIntegralInRange<int>(0, 5)) {
        case 0:
            RegisterRead(input);
            break;
        case 1:
            RegisterWrite(input);
            break;
        case 2:
            GpioRead(input);
            break;
        case 3:
            GpioWrite(input);
            break;
        case 4:
            EndOfTransfer(input);
            break;
        default:
            ButtonReport(input);
            break;
        }
    }
    return 0;
}
