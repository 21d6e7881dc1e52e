#pragma once
// 32/64-bit facts, file-system redirection, the OS kind of the control panel and file version strings.
// Functions that older Windows versions lack answer "no" when they are missing, never an error.

#include "common/ports/SystemInfo.h"
#include "common/ports/VersionResource.h"

#include <string>

// True for a 32-bit process on 64-bit Windows.
bool IsWow64(const ports::SystemInfo& system);

// Switch file-system redirection off and back on, only around the statements that need the native
// system folder. False when the platform lacks the function or refuses.
bool DisableFsRedirection(ports::SystemInfo& system, ports::RedirectionCookie& cookie);
bool RevertFsRedirection(ports::SystemInfo& system, ports::RedirectionCookie cookie);

// OS kind: which audio path the control panel takes. 6 selects the endpoint audio path.
inline constexpr int kOsKindUnknown = 0;
inline constexpr int kOsKindWin98 = 1;        // 9x family, 4.10
inline constexpr int kOsKindWin2000 = 2;      // NT 5.0
inline constexpr int kOsKindWinMe = 3;        // 9x family, 4.90
inline constexpr int kOsKindWinXp = 4;        // NT 5.1
inline constexpr int kOsKindVistaOrLater = 6; // NT, major above 5

inline constexpr std::uint32_t kPlatformWin9x = 1;
inline constexpr std::uint32_t kPlatformNt = 2;

// The OS kind of a version; the table behind GetOsKind.
int OsKindOf(const ports::OsVersion& version);
// Asks the extended version structure, then the basic one; 0 when neither can be read.
int GetOsKind(const ports::SystemInfo& system);

// True when the packed version reports a major version of 5 or less.
bool IsWindowsBefore6(const ports::SystemInfo& system);

// GetFileVersionString results, in the order of the steps.
inline constexpr int kFileVersionOk = 0;
inline constexpr int kFileVersionNoResource = 1;
inline constexpr int kFileVersionCannotRead = 2;
inline constexpr int kFileVersionNoRootBlock = 3;
inline constexpr int kFileVersionEmptyRootBlock = 4;

inline constexpr std::uint32_t kFixedFileInfoSignature = 0xFEEF04BD;
inline constexpr std::size_t kFileVersionTextChars = 259; // a 260-character buffer with its terminator

// "a.b.c.d" of the file version. A fixed block without the right signature gives 0 and leaves `text` as it
// was.
int GetFileVersionString(const ports::VersionResource& versions, const std::wstring& path, std::wstring& text);
