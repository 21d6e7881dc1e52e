#pragma once
// Starting, stopping and signalling a Windows service, waiting for a start or stop to take effect.

#include "common/ports/Clock.h"
#include "common/ports/ServiceManager.h"

#include <cstdint>
#include <string>

// Control codes with a meaning of their own here; any other code is sent to the service as it is.
inline constexpr std::uint32_t kServiceStart = 0;
inline constexpr std::uint32_t kServiceStop = ports::kServiceControlStop;
// From this code on, controls are the service's own: they need only the query and user-control rights.
inline constexpr std::uint32_t kFirstUserDefinedControl = 128;

// How long a start or stop may take to show: 30 polls, 300 ms apart.
inline constexpr int kServicePollCount = 30;
inline constexpr std::uint32_t kServicePollIntervalMs = 300;

// ControlTheService results, in the order of the steps.
inline constexpr int kServiceControlOk = 0;
inline constexpr int kServiceNoManager = 1;
inline constexpr int kServiceCannotOpen = 2;
inline constexpr int kServiceCannotQuery = 3;
inline constexpr int kServiceStopRefused = 4;
inline constexpr int kServiceNeverStopped = 5;
inline constexpr int kServiceStartFailed = 6;
inline constexpr int kServiceNeverRunning = 7;

// Which rights the service is opened with: by the control code (user-defined codes need only the query
// and user-control rights), or all rights for every code, as the installer opens it.
enum class ServiceRights { ByControl, All };

// Control 0 starts the service, 1 stops it; any other code is sent and counts as success whatever the
// service answers. Blocks up to 30 x 300 ms while a start or stop takes effect.
int ControlTheService(ports::ServiceManager& services, ports::Clock& clock, const std::wstring& name,
                      std::uint32_t control, ServiceRights rights = ServiceRights::ByControl);
