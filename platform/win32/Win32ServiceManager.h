#pragma once
// The service control manager. The connection asks only for the right to connect: that is all opening a
// service needs, and it works for a user without administrator rights (who may still signal a service).

#include "common/ports/ServiceManager.h"

namespace win32 {

class Win32ServiceManager final : public ports::ServiceManager {
public:
    std::unique_ptr<ports::ServiceManagerConnection> Connect() override;
};

} // namespace win32
