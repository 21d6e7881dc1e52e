#include "platform/win32/Win32DeviceEnumeration.h"

#include "device/BackgroundJobs.h"
#include "platform/win32/Win32CallbackGuard.h"
#include "platform/win32/Win32UiHandles.h"

#include <windows.h>
#include <initguid.h>
#include <setupapi.h>

namespace win32 {

namespace {

// The kernel-streaming audio category. It is passed along as the device search always did; with
// DIGCF_ALLCLASSES it does not narrow the list.
DEFINE_GUID(kKsCategoryAudio, 0x6994AD04, 0x93EF, 0x11D0, 0xA3, 0xCC, 0x00, 0xA0, 0xC9, 0x22, 0x31, 0x96);

class DeviceInfoList {
public:
    explicit DeviceInfoList(HDEVINFO list) : list_(list) {}
    DeviceInfoList(const DeviceInfoList&) = delete;
    DeviceInfoList& operator=(const DeviceInfoList&) = delete;
    ~DeviceInfoList()
    {
        if (Valid())
            ::SetupDiDestroyDeviceInfoList(list_);
    }
    bool Valid() const { return list_ != INVALID_HANDLE_VALUE; }
    HDEVINFO Get() const { return list_; }

private:
    HDEVINFO list_;
};

// The REG_MULTI_SZ hardware-ID property split into its strings; empty when the device has none.
std::vector<std::wstring> HardwareIds(HDEVINFO list, SP_DEVINFO_DATA& device)
{
    DWORD size = 0;
    ::SetupDiGetDeviceRegistryPropertyW(list, &device, SPDRP_HARDWAREID, nullptr, nullptr, 0, &size);
    if (size == 0)
        return {};
    // Room for two terminating zeros even when the property lacks them.
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 2, L'\0');
    if (!::SetupDiGetDeviceRegistryPropertyW(list, &device, SPDRP_HARDWAREID, nullptr,
                                             reinterpret_cast<BYTE*>(buffer.data()), size, nullptr))
        return {};
    std::vector<std::wstring> ids;
    for (const wchar_t* id = buffer.data(); *id != L'\0'; id += wcslen(id) + 1)
        ids.emplace_back(id);
    return ids;
}

constexpr wchar_t kWorkerWindowClass[] = L"TonvioDeviceSearch";
constexpr UINT kSearchFinishedMessage = WM_APP + 1;

// Whether the caller still wants a search's list; touched on the caller's thread only.
class Wanted final : public ports::PendingDeviceSearch {
public:
    explicit Wanted(std::shared_ptr<bool> wanted) : wanted_(std::move(wanted)) {}
    ~Wanted() override { *wanted_ = false; }

private:
    std::shared_ptr<bool> wanted_;
};

} // namespace

class Win32DeviceEnumeration::Worker {
public:
    Worker()
    {
        const HINSTANCE instance = ::GetModuleHandleW(nullptr);
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = &Worker::Procedure;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = kWorkerWindowClass;
        ::RegisterClassExW(&windowClass); // fails harmlessly when already registered
        window_.Reset(
            ::CreateWindowExW(0, kWorkerWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr));
        if (window_)
            ::SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~Worker()
    {
        if (window_)
            ::SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, 0);
    }
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;

    bool Ready() const { return static_cast<bool>(window_); }
    device::BackgroundJobs& Jobs() { return jobs_; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<Worker*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self != nullptr && message == kSearchFinishedMessage) {
            // The finished search runs the rest of the poll, which must not unwind through Windows.
            Guarded(SystemDebugOutput(), L"device search", [self] { self->jobs_.DeliverFinished(); });
            return 0;
        }
        return ::DefWindowProcW(window, message, wParam, lParam);
    }

    WindowHandle window_;
    // After the window: the thread is stopped before the window goes.
    device::BackgroundJobs jobs_{[this] { ::PostMessageW(window_.Get(), kSearchFinishedMessage, 0, 0); }};
};

Win32DeviceEnumeration::Win32DeviceEnumeration(ports::DebugOutput& debug) : debug_(debug) {}
Win32DeviceEnumeration::~Win32DeviceEnumeration() = default;

std::unique_ptr<ports::PendingDeviceSearch> Win32DeviceEnumeration::SearchAway(SearchDone done) const
{
    if (!worker_)
        worker_ = std::make_unique<Worker>();
    if (!worker_->Ready())
        return DeviceEnumeration::SearchAway(std::move(done));
    auto wanted = std::make_shared<bool>(true);
    worker_->Jobs().Submit([this, wanted, done = std::move(done)]() mutable -> device::BackgroundJobs::Finish {
        ports::PresentDeviceList present = PresentDevices();
        return [wanted = std::move(wanted), done = std::move(done), present = std::move(present)]() mutable {
            if (*wanted)
                done(std::move(present));
        };
    });
    return std::make_unique<Wanted>(std::move(wanted));
}

ports::PresentDeviceList Win32DeviceEnumeration::PresentDevices() const
{
    const DeviceInfoList list(
        ::SetupDiGetClassDevsW(&kKsCategoryAudio, nullptr, nullptr, DIGCF_PRESENT | DIGCF_ALLCLASSES));
    if (!list.Valid()) {
        ReportLastError(debug_, L"SetupDiGetClassDevsW");
        return std::nullopt;
    }

    std::vector<ports::PresentDevice> devices;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof(device);
    for (DWORD index = 0; ::SetupDiEnumDeviceInfo(list.Get(), index, &device); ++index)
        devices.push_back({HardwareIds(list.Get(), device)});
    if (const DWORD error = ::GetLastError(); error != ERROR_NO_MORE_ITEMS)
        ReportError(debug_, L"SetupDiEnumDeviceInfo", error);
    return devices;
}

} // namespace win32
