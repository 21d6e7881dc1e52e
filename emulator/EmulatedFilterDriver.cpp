#include "emulator/EmulatedFilterDriver.h"

namespace emulator {

namespace {

class EmulatedDriverHandle final : public ports::FilterDriverHandle {
public:
    EmulatedDriverHandle(Chip& chip, std::uint32_t generation) : chip_(chip), generation_(generation) {}
    EmulatedDriverHandle(const EmulatedDriverHandle&) = delete;
    EmulatedDriverHandle& operator=(const EmulatedDriverHandle&) = delete;
    ~EmulatedDriverHandle() override { chip_.CloseDriverChannel(); }

    ports::DriverRequestOutcome Request(std::uint32_t controlCode, std::span<const std::uint8_t> input,
                                        std::span<std::uint8_t> output) override
    {
        return chip_.DriverRequest(generation_, controlCode, input, output);
    }

private:
    Chip& chip_;
    const std::uint32_t generation_;
};

} // namespace

std::unique_ptr<ports::FilterDriverHandle> EmulatedFilterDriver::OpenDevicePath(const std::wstring& path)
{
    const auto generation = chip_.OpenDriverChannel(path);
    if (!generation)
        return nullptr;
    return std::make_unique<EmulatedDriverHandle>(chip_, *generation);
}

} // namespace emulator
