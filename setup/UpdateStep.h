#pragma once
// The Windows-update prerequisite as the installation sequence calls it: the package written out during
// the files step, and the update installed as the sequence's last step.

#include <cstdint>

namespace setup {

class UpdateStep {
public:
    virtual ~UpdateStep() = default;
    // 0 or a failure code; the files step calls it a second time when it fails and ignores the result.
    virtual std::uint32_t Copy_KB3033929() = 0;
    // 0 (the update is in place or not needed) or a failure code.
    virtual std::uint32_t Install_KB3033929() = 0;
};

} // namespace setup
