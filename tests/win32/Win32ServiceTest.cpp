#include "common/ServiceControl.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32ServiceManager.h"

#include <gtest/gtest.h>
#include <string>
#include <windows.h>

namespace {

constexpr wchar_t kServiceName[] = L"TonvioTestService";
constexpr std::uint32_t kUserControl = 193;
constexpr std::uint32_t kRejectedUserControl = 200;

std::wstring ServiceProgramPath()
{
    wchar_t path[MAX_PATH]{};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    folder.resize(folder.find_last_of(L'\\') + 1);
    return folder + L"" TONVIO_TEST_SERVICE_FILE;
}

// What the test service recorded as the last control it accepted; 0 when none.
DWORD LastUserControl()
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Tonvio Test Service", 0, KEY_READ | KEY_WOW64_64KEY, &key) !=
        ERROR_SUCCESS)
        return 0;
    const win32::RegistryKeyHandle owned(key);
    DWORD value = 0;
    DWORD size = sizeof(value);
    ::RegQueryValueExW(owned.Get(), L"LastUserControl", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
    return value;
}

void ForgetLastUserControl()
{
    ::RegDeleteKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Tonvio Test Service", KEY_WOW64_64KEY, 0);
}

// Stops and deletes the test service when it is installed, with the plain API, whatever state it is in.
void RemoveTestService(SC_HANDLE manager)
{
    const win32::ServiceHandle service(::OpenServiceW(manager, kServiceName, SERVICE_ALL_ACCESS));
    if (!service)
        return;
    SERVICE_STATUS status{};
    if (::ControlService(service.Get(), SERVICE_CONTROL_STOP, &status)) {
        for (int i = 0;
             i < 50 && ::QueryServiceStatus(service.Get(), &status) && status.dwCurrentState != SERVICE_STOPPED; ++i)
            ::Sleep(100);
    }
    ::DeleteService(service.Get());
}

class Win32ServiceTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(manager_) << "OpenSCManagerW failed: " << ::GetLastError();
        RemoveTestService(manager_.Get());
        ForgetLastUserControl();
        const std::wstring command = L"\"" + ServiceProgramPath() + L"\"";
        const win32::ServiceHandle created(::CreateServiceW(
            manager_.Get(), kServiceName, kServiceName, SERVICE_ALL_ACCESS, SERVICE_WIN32_OWN_PROCESS,
            SERVICE_DEMAND_START, SERVICE_ERROR_IGNORE, command.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr));
        ASSERT_TRUE(created) << "CreateServiceW failed: " << ::GetLastError();
    }

    void TearDown() override
    {
        RemoveTestService(manager_.Get());
        ForgetLastUserControl();
    }

    std::optional<ports::ServiceState> State()
    {
        const auto connection = services.Connect();
        const auto service =
            connection ? connection->Open(kServiceName, ports::ServiceAccess::QueryAndUserControl) : nullptr;
        return service ? service->QueryState() : std::nullopt;
    }

    int Control(std::uint32_t control) { return ControlTheService(services, clock, kServiceName, control); }

    win32::Win32ServiceManager services;
    win32::Win32Clock clock;

private:
    win32::ServiceHandle manager_{::OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS)};
};

} // namespace

TEST_F(Win32ServiceTest, StartsSignalsAndStopsARealService)
{
    ASSERT_EQ(State(), ports::ServiceState::Stopped);
    EXPECT_EQ(Control(kServiceStop), kServiceControlOk) << "already stopped";

    ASSERT_EQ(Control(kServiceStart), kServiceControlOk);
    EXPECT_EQ(State(), ports::ServiceState::Running);
    EXPECT_EQ(Control(kServiceStart), kServiceControlOk) << "already running";

    EXPECT_EQ(Control(kUserControl), kServiceControlOk);
    EXPECT_EQ(LastUserControl(), kUserControl) << "the control reached the service";
    EXPECT_EQ(Control(kRejectedUserControl), kServiceControlOk) << "a rejected control still counts as sent";
    EXPECT_EQ(LastUserControl(), kUserControl);

    EXPECT_EQ(Control(kServiceStop), kServiceControlOk);
    EXPECT_EQ(State(), ports::ServiceState::Stopped);
}

TEST_F(Win32ServiceTest, MissingServiceCannotBeOpened)
{
    for (const std::uint32_t control : {kServiceStart, kServiceStop, kUserControl})
        EXPECT_EQ(ControlTheService(services, clock, L"TonvioNoSuchService", control), kServiceCannotOpen) << control;
}

TEST_F(Win32ServiceTest, QueryAndUserControlRightsAllowNothingElse)
{
    // The adapter must open with exactly these rights and report what the service manager refuses.
    ASSERT_EQ(Control(kServiceStart), kServiceControlOk);
    const auto connection = services.Connect();
    ASSERT_TRUE(connection);
    const auto limited = connection->Open(kServiceName, ports::ServiceAccess::QueryAndUserControl);
    ASSERT_TRUE(limited);
    EXPECT_FALSE(limited->Control(kServiceStop));
    EXPECT_FALSE(limited->Start());
    EXPECT_TRUE(limited->Control(kUserControl));
    EXPECT_EQ(limited->QueryState(), ports::ServiceState::Running);
}
