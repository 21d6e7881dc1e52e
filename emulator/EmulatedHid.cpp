#include "emulator/EmulatedHid.h"

namespace emulator {

namespace {

class EmulatedHidInterface final : public ports::HidInterface {
public:
    EmulatedHidInterface(Chip& chip, std::uint32_t generation) : chip_(chip), generation_(generation) {}
    EmulatedHidInterface(const EmulatedHidInterface&) = delete;
    EmulatedHidInterface& operator=(const EmulatedHidInterface&) = delete;
    ~EmulatedHidInterface() override { chip_.CloseHid(); }

    std::size_t OutputReportLength() const override { return chip_.OutputReportLength(generation_); }
    std::size_t InputReportLength() const override { return chip_.InputReportLength(generation_); }
    bool SendOutputReport(std::span<const std::uint8_t> report) override
    {
        return chip_.TakeHidOutputReport(generation_, report);
    }
    bool ReadInputReport(std::span<std::uint8_t> report) override
    {
        return chip_.AnswerHidInputReport(generation_, report);
    }

private:
    Chip& chip_;
    const std::uint32_t generation_;
};

} // namespace

std::unique_ptr<ports::HidInterface> EmulatedHid::OpenFirst(std::uint16_t vid, std::uint16_t pid)
{
    const auto generation = chip_.OpenHid(vid, pid);
    if (!generation)
        return nullptr;
    return std::make_unique<EmulatedHidInterface>(chip_, *generation);
}

} // namespace emulator
