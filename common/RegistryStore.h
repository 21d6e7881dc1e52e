#pragma once
// Numeric settings under the product's software key, shared with the companion service.
// Every key lies under HKEY_LOCAL_MACHINE\SOFTWARE in the 32-bit view: that is where the shipped 32-bit
// programs and the service find each other's values on 64-bit Windows.

#include "common/ports/Registry.h"

#include <cstdint>
#include <string>

// Key paths below "SOFTWARE\".
inline constexpr wchar_t kProductSoftwareKey[] = L"KVQ 48xx Software";
inline constexpr wchar_t kEncValueMapKey[] = L"KVQ 48xx Software\\EncValueMap";
inline constexpr wchar_t kUsbDeviceIdGroupKey[] = L"KVQ USB DeviceId Group";
inline constexpr wchar_t kHidDeviceIdGroupKey[] = L"KVQ HID DeviceId Group";

// "SOFTWARE\" + keyPath.
std::wstring SoftwareKeyPath(const std::wstring& keyPath);

// SaveSoftwareDword results.
inline constexpr int kSaveDwordOk = 0;
inline constexpr int kSaveDwordNoKey = 1;       // the key could not be opened or created
inline constexpr int kSaveDwordWriteFailed = 2; // the value could not be written

// Writes a REG_DWORD, creating the key when missing. Callers that keep going after a failed write may
// ignore the result; it is there so that a lost setting can be told from a stored one.
int SaveSoftwareDword(ports::Registry& registry, const std::wstring& keyPath, const std::wstring& valueName,
                      std::uint32_t value);

// ReadSoftwareDword results.
inline constexpr int kReadDwordOk = 0;
inline constexpr int kReadDwordNoKey = 1;   // the key did not exist (it does now, empty) or cannot be opened
inline constexpr int kReadDwordNoValue = 2; // the value is missing or longer than four bytes

// Reads up to four bytes of a value. Opening creates the key when missing, and a key that had to be
// created counts as not existing. `value` is set only on success.
int ReadSoftwareDword(ports::Registry& registry, const std::wstring& keyPath, const std::wstring& valueName,
                      std::uint32_t& value);
