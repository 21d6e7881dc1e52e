#pragma once
// The payload the setup program carries: resource type names and IDs. A new payload program is one more
// row here and one more line in the setup program's resource script.

namespace setup {

inline constexpr wchar_t kDriverResource[] = L"DRIVER";
inline constexpr wchar_t kServiceResource[] = L"SERVICE";
inline constexpr wchar_t kAppResource[] = L"APP";
inline constexpr wchar_t kUninstallResource[] = L"UNINSTALL";
inline constexpr wchar_t kWindowsPatchResource[] = L"WINDOWPATCH";

inline constexpr int kDriver32Id = 102;
inline constexpr int kDriver64Id = 103;
inline constexpr int kService32Id = 105;
inline constexpr int kService64Id = 106;
inline constexpr int kControlPanelId = 107;
inline constexpr int kUninstallerId = 108;
inline constexpr int kWindowsPatchId = 110;
inline constexpr int kEffectAppId = 111;
inline constexpr int kSoundEffectAppId = 112;

inline constexpr wchar_t kFilterDriverName[] = L"Vexfl";
inline constexpr wchar_t kServiceName[] = L"DeviceWatchService";
inline constexpr wchar_t kFilterControlDevice[] = L"\\\\.\\Class#VexflPort&4D2F&00";

} // namespace setup
