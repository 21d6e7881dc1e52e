#pragma once
// The emulated device's SDK, lent to the panel (or to a feature's model) as if the library had been loaded.

#include "device/ports/AudioSdk.h"

namespace testing_panel {

class BorrowedSdk final : public ports::AudioSdk {
public:
    explicit BorrowedSdk(ports::AudioSdk& sdk) : sdk_(sdk) {}
#define TONVIO_BORROWED_MEMBER(name, params, args)                                                                     \
    std::int32_t name params override                                                                                  \
    {                                                                                                                  \
        return sdk_.name args;                                                                                         \
    }
    TONVIO_SDK_ENTRY_POINTS(TONVIO_BORROWED_MEMBER)
#undef TONVIO_BORROWED_MEMBER

private:
    ports::AudioSdk& sdk_;
};

} // namespace testing_panel
