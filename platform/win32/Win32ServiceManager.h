#pragma once
// The service control manager. The connection asks only for the right to connect: that is all opening a
// service needs, and it works for a user without administrator rights (who may still signal a service).

#include "common/ports/ServiceManager.h"
#include "platform/win32/Win32Failure.h"

namespace win32 {

class Win32ServiceManager final : public ports::ServiceManager {
public:
    // Failed calls, a missing service among them, are written to `debug` with their code.
    explicit Win32ServiceManager(ports::DebugOutput& debug = SystemDebugOutput()) : debug_(debug) {}

    std::unique_ptr<ports::ServiceManagerConnection> Connect() override;

private:
    ports::DebugOutput& debug_;
};

} // namespace win32
