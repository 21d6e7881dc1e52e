// Any bytes as the device-ID sections of "AudioConfig.cfg", and any text as a hardware ID: results stay
// within their documented codes, every accepted pattern is trimmed and accepts itself, the registry gets
// exactly the accepted list, and the VID and PID read back from an ID written in the usual form.
#include "FuzzSupport.h"
#include "common/DeviceIdMgr.h"
#include "common/Text.h"
#include "device/DeviceIdentification.h"
#include "emulator/EmulatedDevice.h"
#include "platform/memory/MemoryDeviceEnumeration.h"
#include "platform/memory/MemoryFileSystem.h"
#include "platform/memory/MemoryRegistry.h"

#include <algorithm>

namespace {

const std::wstring kPath = L"C:\\app\\AudioConfig.cfg";

void CheckHardwareId(const std::wstring& id)
{
    const device::DeviceIds ids = device::ParseDeviceIds(id);
    const bool hasVid = id.find(L"VID_") != std::wstring::npos || id.find(L"Vid_") != std::wstring::npos;
    FUZZ_CHECK(hasVid || (ids.vid == 0 && ids.pid == 0));

    // Whatever the text said, its numbers written in the usual form read back the same.
    const std::wstring usual = FormatText(64, L"USB\\VID_%04X&PID_%04X&REV_0100&MI_00", ids.vid, ids.pid);
    FUZZ_CHECK(device::ParseDeviceIds(usual) == ids);
    FUZZ_CHECK(device::ParseDeviceIds(FormatText(64, L"HID\\Vid_%04x&Pid_%04x", ids.vid, ids.pid)) == ids);
}

void CheckManager(const DEVICEID_MGR::CDeviceIdMgr& manager, int result, const std::vector<std::wstring>& ids)
{
    FUZZ_CHECK(result >= 0 && result <= 3);
    if (result != 0)
        FUZZ_CHECK(manager.Accepted().empty());
    for (const std::wstring& pattern : manager.Accepted()) {
        FUZZ_CHECK(!pattern.empty() && pattern.front() != L' ' && pattern.back() != L' ');
        FUZZ_CHECK(manager.IsAcceptedDeviceId(pattern));
        FUZZ_CHECK(manager.IsAcceptedDeviceId(ToLowerAscii(pattern)));
    }
    for (const std::wstring& id : ids) {
        // An ID is accepted only by a pattern of its own length that agrees outside the "X"s.
        bool matches = false;
        for (const std::wstring& pattern : manager.Accepted()) {
            const std::wstring p = ToUpperAscii(pattern);
            const std::wstring i = ToUpperAscii(id);
            bool same = p.size() == i.size();
            for (std::size_t c = 0; same && c < p.size(); ++c)
                same = p[c] == L'X' || p[c] == i[c];
            matches = matches || same;
        }
        FUZZ_CHECK(manager.IsAcceptedDeviceId(id) == matches);
    }

    const std::wstring key = std::wstring(L"SOFTWARE\\") + DEVICEID_MGR::kUsbIdGroup;
    const auto root = ports::RegistryRoot::LocalMachine;
    const auto view = ports::RegistryView::Bits32;
    memory::MemoryRegistry refusing; // a registry that will not open the key: still 0, nothing written
    refusing.FailOpen(root, view, key);
    FUZZ_CHECK(manager.SaveToRegistry(refusing, DEVICEID_MGR::kUsbIdGroup) == 0);
    FUZZ_CHECK(refusing.ValueCount(root, view, key) == 0);
    memory::MemoryRegistry registry;
    FUZZ_CHECK(manager.SaveToRegistry(registry, DEVICEID_MGR::kUsbIdGroup) == 0);
    FUZZ_CHECK(registry.ValueCount(root, view, key) == manager.Accepted().size());
    std::size_t number = 1;
    for (const std::wstring& pattern : manager.Accepted())
        FUZZ_CHECK(registry.Get(root, view, key, std::to_wstring(number++)) == memory::MemoryRegistry::Value(pattern));

    // The device found is present, of the template's length and accepted; a device without IDs is passed by.
    memory::MemoryDeviceEnumeration devices;
    devices.Add({});
    for (const std::wstring& id : ids)
        devices.Add({id});
    std::wstring found;
    if (manager.FindPresentDevice(devices, DEVICEID_MGR::kHardwareIdTemplate, found)) {
        FUZZ_CHECK(found.size() == std::wstring_view(DEVICEID_MGR::kHardwareIdTemplate).size());
        FUZZ_CHECK(manager.IsAcceptedDeviceId(found));
        FUZZ_CHECK(std::find(ids.begin(), ids.end(), found) != ids.end());
    }
    devices.FailListing();
    FUZZ_CHECK(!manager.FindPresentDevice(devices, DEVICEID_MGR::kHardwareIdTemplate, found));
}

// The panel's whole identification over the same file and IDs: the SDK gets the IDs of the device found,
// or 0 and 0.
void CheckIdentification(const memory::MemoryFileSystem& files, const std::vector<std::wstring>& ids)
{
    static emulator::EmulatedDevice device;
    memory::MemoryDeviceEnumeration devices;
    for (const std::wstring& id : ids)
        devices.Add({id});
    const device::Identification found = device::IdentifyDevice(files, devices, device.sdk(), kPath, 2);
    if (found.found) {
        FUZZ_CHECK(std::find(ids.begin(), ids.end(), found.hardwareId) != ids.end());
        FUZZ_CHECK(found.ids == device::ParseDeviceIds(found.hardwareId));
    } else {
        FUZZ_CHECK(found.hardwareId.empty() && found.ids == device::DeviceIds{});
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    memory::MemoryFileSystem files;
    files.Put(kPath, fuzz::Bytes(data, size));

    const std::wstring text = fuzz::DecodedText(fuzz::Bytes(data, size));
    std::vector<std::wstring> ids;
    for (const std::wstring& line : fuzz::SplitAt(text, L'\n')) {
        CheckHardwareId(line);
        if (ids.size() < 16)
            ids.push_back(std::wstring(TrimChars(line, L"\r")));
    }

    DEVICEID_MGR::CDeviceIdMgr manager(files);
    for (const wchar_t* section : {DEVICEID_MGR::kUsbIdSection, DEVICEID_MGR::kHidIdSection}) {
        const int result = manager.LoadFromIniFile(kPath, section);
        CheckManager(manager, result, ids);
    }
    FUZZ_CHECK(manager.LoadFromIniFile(L"C:\\app\\missing.cfg", DEVICEID_MGR::kUsbIdSection) == 1);
    CheckIdentification(files, ids);
    return 0;
}
