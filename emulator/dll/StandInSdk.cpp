// The stand-in for the chip maker's audio SDK library: every entry point of the table, exported by its
// plain name (emulator/dll/CMakeLists.txt writes the .def file from the same table), answered by the
// emulated chip that all processes share. The chip is opened at the first call, not while the library
// is being loaded.

#include "emulator/dll/ButtonWatcher.h"
#include "emulator/win32/SharedEmulatedDevice.h"

#include <memory>

namespace {

struct StandIn {
    std::unique_ptr<emulator::SharedEmulatedDevice> device;
    std::unique_ptr<emulator::ButtonWatcher> watcher;
};

StandIn OpenStandIn()
{
    unsigned long error = 0;
    StandIn standIn{emulator::SharedEmulatedDevice::Open(error), nullptr};
    if (standIn.device)
        standIn.watcher = std::make_unique<emulator::ButtonWatcher>(*standIn.device);
    return standIn;
}

StandIn& TheStandIn()
{
    static StandIn standIn = OpenStandIn();
    return standIn;
}

// After a scan starts or ends, the watcher follows it.
void AfterCall(sdk::EntryPoint entry, StandIn& standIn)
{
    if (entry == sdk::EntryPoint::DLLQZ_ScanButton_ById)
        standIn.watcher->Follow();
}

} // namespace

#define TONVIO_STANDIN_EXPORT(name, params, args)                                                                      \
    extern "C" std::int32_t TONVIO_SDK_CALL name params                                                                \
    {                                                                                                                  \
        StandIn& standIn = TheStandIn();                                                                               \
        if (!standIn.device)                                                                                           \
            return emulator::kSdkNoDevice;                                                                             \
        const std::int32_t result = standIn.device->sdk().name args;                                                   \
        AfterCall(sdk::EntryPoint::name, standIn);                                                                     \
        return result;                                                                                                 \
    }
TONVIO_SDK_ENTRY_POINTS(TONVIO_STANDIN_EXPORT)
#undef TONVIO_STANDIN_EXPORT
